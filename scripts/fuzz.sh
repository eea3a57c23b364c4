#!/usr/bin/env bash
# fuzz.sh [SECONDS] [TARGET...]
# Long fuzz campaign of every fuzz target (the executables named *_fuzz; the
# build lists them with their seed corpora in fuzz_targets.txt), or of the
# named ones: SECONDS each (default 600). Builds the native fuzz build in
# build/native-fuzz (TOVANE_FUZZ_BUILD overrides) and keeps each target's
# growing corpus in ~/.cache/tovane/fuzz/<target>, seeded from its seed
# corpus. TOVANE_FUZZ_JOBS=n runs n fuzzing processes per target.
# Any finding stops the campaign with its reproducer path.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds=${1:-600}
shift || true
wanted=("$@")
build=${TOVANE_FUZZ_BUILD:-$TOVANE_ROOT/build/native-fuzz}
jobs=${TOVANE_FUZZ_JOBS:-1}

log "configuring $build"
cmake -S "$TOVANE_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTOVANE_SANITIZE=ON -DTOVANE_FUZZ=ON >/dev/null
list=$build/fuzz_targets.txt
[ -f "$list" ] || die "no fuzz target list in $list"

declare -A exes seeds
names=()
while IFS=$'\t' read -r name exe seed; do
  [ -n "$name" ] || continue
  names+=("$name"); exes[$name]=$exe; seeds[$name]=$seed
done <"$list"
if [ ${#wanted[@]} -gt 0 ]; then
  for name in "${wanted[@]}"; do
    [ -n "${exes[$name]:-}" ] || die "unknown fuzz target $name (known: ${names[*]})"
  done
  names=("${wanted[@]}")
fi

cmake --build "$build" -j2 --target "${names[@]}"
for target in "${names[@]}"; do
  corpus=$TOVANE_CACHE/fuzz/$target
  artifacts=$TOVANE_CACHE/fuzz/$target-artifacts
  mkdir -p "$corpus" "$artifacts"
  [ -n "${seeds[$target]}" ] && cp -rn "${seeds[$target]}"/. "$corpus/" 2>/dev/null || true
  log "$target: ${seconds}s, corpus $corpus"
  parallel=()
  [ "$jobs" -gt 1 ] && parallel=(-fork="$jobs")
  ASAN_OPTIONS=detect_leaks=1 "${exes[$target]}" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 "${parallel[@]}" -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" \
    || die "$target: finding, reproducer in $artifacts"
done
log "no findings in ${#names[@]} fuzz targets"
