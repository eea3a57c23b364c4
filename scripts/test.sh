#!/usr/bin/env bash
# Builds both configurations and runs every test in one CTest run: the native
# tests (under AddressSanitizer and UndefinedBehaviorSanitizer) and fuzz
# targets, and the Windows tests under Wine. Ends with CTest's summary line.
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$TOVANE_ROOT"
"$TOVANE_ROOT/scripts/bootstrap.sh"

JOBS=${JOBS:-$(nproc)}
log "building the native configuration"
cmake --preset native >/dev/null
cmake --build --preset native -j "$JOBS"
log "building the Windows configuration"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$JOBS"

# One CTest run over both build trees, so there is one summary.
mkdir -p build/all
cat > build/all/CTestTestfile.cmake <<CT
subdirs("$TOVANE_ROOT/build/native")
subdirs("$TOVANE_ROOT/build/win64")
CT
cd build/all
log "running the tests"
exec "$TOVANE_ROOT/scripts/wine-session.sh" ctest --output-on-failure -j "$JOBS" "$@"
