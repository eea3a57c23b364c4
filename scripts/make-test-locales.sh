#!/usr/bin/env bash
# make-test-locales.sh DIR LOCALE...: compiles the named glibc locales
# (for example de_DE) as DIR/<locale>.UTF-8 for tests that run with
# LOCPATH=DIR, so they need no system-wide locale set-up. Keeps what exists.
set -euo pipefail
dir=${1:?usage: make-test-locales.sh DIR LOCALE...}
shift
mkdir -p "$dir"
for locale in "$@"; do
  [ -f "$dir/$locale.UTF-8/LC_CTYPE" ] && continue
  # localedef reports harmless warnings with a non-zero status; the
  # compiled locale is what counts.
  localedef -i "$locale" -f UTF-8 "$dir/$locale.UTF-8" >/dev/null 2>&1 || true
  [ -f "$dir/$locale.UTF-8/LC_CTYPE" ] || { echo "cannot compile the locale $locale" >&2; exit 1; }
done
