#!/usr/bin/env bash
# wine-session.sh COMMAND [ARGS...]: runs COMMAND with one X display and one
# persistent wineserver for all Wine programs it starts, then stops exactly
# what it started (its Xvfb, the wineserver of the project's prefix, the
# program that holds Wine's desktop for the session).
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
ensure_wineprefix
start_xvfb
started_server=
wineserver -p </dev/null >/dev/null 2>&1 && started_server=1
start_wine_services
start_desktop_holder
export TOVANE_WINE_SESSION=1
cleanup() {
  stop_desktop_holder
  if [ -n "$started_server" ]; then wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; fi
  stop_xvfb
}
trap cleanup EXIT
set +e
"$@"
exit $?
