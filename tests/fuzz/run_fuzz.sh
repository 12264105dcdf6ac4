#!/usr/bin/env bash
# Replays the kept findings, then fuzzes each target for SECONDS, growing a
# corpus in BUILD_DIR/fuzz-corpus/<target> that later runs start from.
# Usage: run_fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS="suppressions=$here/lsan_suppressions.txt"
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"

for target in fuzz_fake fuzz_libkorva; do
  binary="$build/tests/fuzz/$target"
  if [ ! -x "$binary" ]; then
    echo "$target: not built, skipped"
    continue
  fi
  corpus="$build/fuzz-corpus/$target"
  mkdir -p "$corpus"
  cp -n "$build"/fuzz-seeds/* "$corpus"/
  "$binary" "$here"/regressions/* >"$artifacts/$target.replay.log" 2>&1 || {
    tail -n 40 "$artifacts/$target.replay.log"
    echo "$target: a kept finding fails again"
    exit 1
  }
  log="$artifacts/$target.log"
  if ! "$binary" "$corpus" -max_total_time="$seconds" -timeout=30 \
      -rss_limit_mb=4096 -artifact_prefix="$artifacts/$target-" \
      -print_final_stats=1 >"$log" 2>&1; then
    grep -E "breach|host fault|ERROR|SUMMARY" "$log" | head -n 20
    tail -n 40 "$log"
    echo "$target: crash, input kept in $artifacts"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "$target: $runs executions in ${seconds} s, no crash, no leak," \
    "corpus $(ls "$corpus" | wc -l) inputs"
done
