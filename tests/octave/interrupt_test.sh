#!/usr/bin/env bash
# Sends SIGINT to octave-cli while korva_mex runs a long MILP, as Ctrl+C in
# the Octave window does, and checks that the solve stops with one warning,
# that the call returns an empty struct, and that the session goes on.
# Usage: interrupt_test.sh OCTAVE_CLI MEX_DIR
set -uo pipefail
octave=$1
mex_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
# octave-cli runs in a scratch folder: a killed Octave leaves its workspace
# file behind.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
out=$work/stdout
err=$work/stderr

fail() {
  echo "FAIL: $1"
  echo "--- stdout (last lines)"; tail -n 20 "$out"
  echo "--- stderr"; cat "$err"
  exit 1
}

"$octave" --no-gui --norc --quiet --eval \
  "addpath('$mex_dir'); addpath('$here'); interrupt_session" >"$out" 2>"$err" &
pid=$!

# Cbc's progress lines show that the search runs and that its log is relayed
# while it runs, not only when the call returns.
for _ in $(seq 1 300); do
  grep -q "best possible" "$out" && break
  sleep 0.1
done
grep -q "best possible" "$out" || { kill "$pid"; fail "no search log while solving"; }
sleep 1

sent=$(date +%s.%N)
kill -INT "$pid"
wait "$pid"
code=$?

[ "$code" -eq 0 ] || fail "octave-cli exited with $code"
grep -q "SESSION OK" "$out" || fail "the session did not go on"
warnings=$(grep -c "Capture the ctrl+c signal. the solver will exit soon." "$err")
[ "$warnings" -eq 1 ] || fail "expected one Ctrl+C warning, got $warnings"
returned=$(sed -n 's/^RETURNED //p' "$out")
[ -n "$returned" ] || fail "no return time"
latency=$(awk -v a="$returned" -v b="$sent" 'BEGIN { printf "%.3f", a - b }')
echo "SIGINT to return: $latency s"
# A generous bound: it tells a stopped solve from one that ran on to its
# time limit.
awk -v t="$latency" 'BEGIN { exit !(t < 10) }' || fail "the solve did not stop"
echo "ok interrupt"
