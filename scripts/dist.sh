#!/usr/bin/env bash
# The release file: builds the Windows program and writes it stripped to
# dist/tovane-VERSION-win64.exe, with its SHA-256 in the .sha256 file beside
# it. The same commit gives the same bytes wherever and whenever it is built.
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$TOVANE_ROOT"
"$TOVANE_ROOT/scripts/bootstrap.sh"
JOBS=${JOBS:-$(nproc)}
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$JOBS" --target dist
