#!/usr/bin/env bash
# fuzz.sh [SECONDS] [TARGET...]
# Long fuzz campaign of every fuzz target: skin package reader, XML reader,
# picture decoders, theme loader, update manifest (default: 600 s per target). Builds the native fuzz build in
# build/native-fuzz (TOVANE_FUZZ_BUILD overrides) and keeps each target's
# growing corpus in ~/.cache/tovane/fuzz/<target>, seeded from the build's
# seed corpora. TOVANE_FUZZ_JOBS=n runs n fuzzing processes per target.
# Any finding stops the campaign with its reproducer path.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(skin_zip_reader_fuzz skin_xml_fuzz picture_png_fuzz picture_jpeg_fuzz
  picture_icon_fuzz theme_loader_fuzz fuzz_update_manifest)
build=${TOVANE_FUZZ_BUILD:-$TOVANE_ROOT/build/native-fuzz}
jobs=${TOVANE_FUZZ_JOBS:-1}

log "configuring $build"
cmake -S "$TOVANE_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTOVANE_SANITIZE=ON -DTOVANE_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target skin_fuzz_corpus "${targets[@]}"

seeds=$build/tests/fuzz/skin_corpus
for target in "${targets[@]}"; do
  case $target in
    skin_zip_reader_fuzz) seed=$seeds/zip ;;
    skin_xml_fuzz) seed=$seeds/xml ;;
    picture_png_fuzz) seed=$seeds/png ;;
    picture_jpeg_fuzz) seed=$seeds/jpeg ;;
    picture_icon_fuzz) seed=$seeds/ico ;;
    theme_loader_fuzz) seed=$TOVANE_ROOT/tests/fuzz/theme_loader_corpus ;;
    fuzz_update_manifest) seed=$TOVANE_ROOT/tests/net/manifest_corpus ;;
    *) die "unknown target $target" ;;
  esac
  corpus=$TOVANE_CACHE/fuzz/$target
  artifacts=$TOVANE_CACHE/fuzz/$target-artifacts
  mkdir -p "$corpus" "$artifacts"
  cp -n "$seed"/* "$corpus/" 2>/dev/null || true
  log "$target: ${seconds}s, corpus $corpus"
  parallel=()
  [ "$jobs" -gt 1 ] && parallel=(-fork="$jobs")
  exe=$(find "$build/tests" -name "$target" -type f -perm -u+x | head -n1)
  ASAN_OPTIONS=detect_leaks=1 "$exe" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 "${parallel[@]}" -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" \
    || die "$target: finding, reproducer in $artifacts"
done
log "no findings"
