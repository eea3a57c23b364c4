#!/usr/bin/env bash
# Builds the three test configurations and runs every test in one CTest run:
# the native tests (under AddressSanitizer and UndefinedBehaviorSanitizer)
# and fuzz targets, the threaded code under ThreadSanitizer, and the Windows
# tests under Wine. Ends with CTest's summary line.
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$TOVANE_ROOT"
"$TOVANE_ROOT/scripts/bootstrap.sh"

JOBS=${JOBS:-$(nproc)}
for preset in native tsan win64; do
  log "building the $preset configuration"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$JOBS"
done

# One CTest run over all build trees, so there is one summary.
mkdir -p build/all
cat > build/all/CTestTestfile.cmake <<CT
subdirs("$TOVANE_ROOT/build/native")
subdirs("$TOVANE_ROOT/build/tsan")
subdirs("$TOVANE_ROOT/build/win64")
CT
cd build/all
log "running the tests"
exec "$TOVANE_ROOT/scripts/wine-session.sh" ctest --output-on-failure -j "$JOBS" "$@"
