#!/usr/bin/env bash
# run-fuzz-target.sh TARGET SEED_DIR WORK_DIR SECONDS
# Runs one libFuzzer target for a bounded time over a copy of its seed
# corpus; any crash, leak, timeout or sanitizer finding fails the run.
set -euo pipefail
target=$1 seeds=$2 work=$3 seconds=$4
rm -rf "$work"; mkdir -p "$work/corpus" "$work/artifacts"
[ -d "$seeds" ] && cp -r "$seeds"/. "$work/corpus/" 2>/dev/null || true
"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$work/corpus" 2>"$work/log" || {
  tail -n 60 "$work/log"; echo "fuzz target $(basename "$target"): finding, see $work/artifacts"; exit 1; }
grep -E '^stat::number_of_executed_units' "$work/log" || true
echo "fuzz target $(basename "$target"): no findings in ${seconds}s"
