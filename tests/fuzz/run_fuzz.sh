#!/usr/bin/env bash
# Replays the kept findings, then fuzzes for SECONDS from the seeds and the
# corpus that earlier runs grew in BUILD_DIR/fuzz-corpus.
# Usage: run_fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
binary="$build/tests/fuzz/fuzz_libkorva"
export LSAN_OPTIONS="suppressions=$here/lsan_suppressions.txt"
artifacts="$build/fuzz-artifacts"
corpus="$build/fuzz-corpus"
mkdir -p "$artifacts" "$corpus"

"$binary" "$here"/regressions/* >"$artifacts/replay.log" 2>&1 || {
  tail -n 40 "$artifacts/replay.log"
  echo "fuzz_libkorva: a kept finding fails"
  exit 1
}
log="$artifacts/fuzz.log"
if ! "$binary" "$corpus" "$here/seeds" "$here/regressions" \
    -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 >"$log" 2>&1; then
  grep -E "breach|host fault|ERROR|SUMMARY" "$log" | head -n 20
  tail -n 40 "$log"
  echo "fuzz_libkorva: crash, input kept in $artifacts"
  exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
echo "fuzz_libkorva: $runs executions in $seconds s, no breach, no leak," \
  "corpus $(ls "$corpus" | wc -l) inputs"
