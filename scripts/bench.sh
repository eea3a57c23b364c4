#!/usr/bin/env bash
# Builds every benchmark (natively in a Release build without sanitizers,
# and for Windows) and runs each one, printing its figures. Benchmarks are
# the executables named bench_*; each build lists them in benchmarks.txt.
#   bench.sh                  build and run all
#   bench.sh --run DIR [CMD]  run the benchmarks listed in DIR (through CMD)
set -euo pipefail
. "$(dirname "$0")/common.sh"

run_list() {
  local list=$1/benchmarks.txt; shift
  [ -f "$list" ] || die "no benchmark list in $list"
  local status=0
  while IFS= read -r bench; do
    [ -n "$bench" ] || continue
    printf '\n== %s%s\n' "$(basename "$bench")" "${1:+ (under Wine)}"
    if ! (cd "$(dirname "$bench")" && "$@" "$bench"); then
      log "$(basename "$bench") failed"
      status=1
    fi
  done <"$list"
  return $status
}

if [ "${1:-}" = "--run" ]; then
  shift
  run_list "$@"
  exit
fi

cd "$TOVANE_ROOT"
"$TOVANE_ROOT/scripts/bootstrap.sh"
JOBS=${JOBS:-$(nproc)}
for preset in bench win64; do
  log "building the benchmarks of the $preset configuration"
  cmake --preset "$preset" >/dev/null
  cmake --build "build/$preset" -j "$JOBS" --target benchmarks
done
status=0
run_list build/bench || status=1
"$TOVANE_ROOT/scripts/wine-session.sh" "$0" --run build/win64 "$TOVANE_ROOT/scripts/winerun" || status=1
exit $status
