#!/usr/bin/env bash
# Runs the value zoo (value_zoo.m) for about SECONDS in a child octave-cli,
# started again whenever it dies or hangs: a dead host is a failure of the
# case it died in, and the run goes on with the next case. Case k of a seed
# replays with value_zoo(SEED, k, 0) in Octave.
# Usage: value_zoo.sh OCTAVE_CLI MEX_DIR SECONDS [SEED]
set -uo pipefail
octave=$1
mex_dir=$(cd "$2" && pwd)
seconds=$3
seed=${4:-$(date +%s)}
here=$(cd "$(dirname "$0")" && pwd)
# A killed Octave leaves its workspace file behind, a LogFile parameter its
# log: the children run in a scratch folder.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# Models are tiny and solves get MaxTime 2: a case still running after a
# minute hangs. A reader that densifies a huge empty sparse array must fail
# within 4 GB, not take the machine's memory.
hang=60 memory_kb=$((4 * 1024 * 1024))

# The subshell waits for the child itself, so that its note of a child
# killed by a signal goes to /dev/null; the exit code passes through.
child() { # Octave statement, time limit in seconds
  (ulimit -v "$memory_kb"
   timeout -s KILL "$2" "$octave" --no-gui --norc --no-history --quiet --eval \
     "addpath('$mex_dir'); addpath('$here'); $1" >out 2>err
   exit $?) 2>/dev/null
}

next=1 runs=0 results=0
: >failures
end=$((SECONDS + seconds))
while [ "$SECONDS" -lt "$end" ]; do
  # Batches of at most 30 s bound the time a hang is noticed in.
  batch=$((end - SECONDS < 30 ? end - SECONDS : 30))
  child "value_zoo($seed, $next, $batch)" $((batch + hang))
  code=$?
  runs=$((runs + $(grep -ac '^ZOO \(PASS\|FAIL\)' out)))
  results=$((results + $(grep -ac '^ZOO PASS [0-9]* result' out)))
  sed -n -e "s/^ZOO FAIL /seed $seed case /p" -e 's/^ZOO   /    /p' out >>failures
  last=$(sed -n 's/^ZOO START //p' out | tail -n 1)
  if [ -z "$last" ]; then
    echo "octave-cli did not run the zoo (exit $code):"; cat err; exit 1
  fi
  next=$((last + 1))
  grep -aq '^ZOO END' out && [ "$code" -eq 0 ] && continue
  # The child died in case $last, or after it (between cases, at exit).
  where="case $last"
  if grep -aq "^ZOO \(PASS\|FAIL\) $last " out; then
    where="after case $last"
  else
    runs=$((runs + 1))
  fi
  case $code in
    137) kind="hang (killed after $((batch + hang)) s)" ;;
    139) kind=segfault ;;
    134) kind=abort ;;
    *) kind="exit $code" ;;
  esac
  reason=$(grep -av '^warning\|^ \|^$\|called from' err |
    tail -n 2 | tr '\n' ' ')
  echo "seed $seed $where $kind: $reason" >>failures
  child "value_zoo($seed, $last, 'show')" $hang
  sed -n 's/^ZOO   /    /p' out >>failures
done
count=$(grep -ac '^seed' failures)
awk -v n="$runs" -v r="$results" -v t="$SECONDS" -v s="$seed" 'BEGIN {
  printf "seed %s: %.1f executions/s, %d returned a result\n", s, n / (t ? t : 1), r }'
echo "value zoo: $runs executions, $count failures"
cat failures
[ "$count" -eq 0 ] || echo "Replay a case in Octave: addpath('$mex_dir');" \
  "addpath('$here'); value_zoo(SEED, CASE, 0)"
[ "$count" -eq 0 ]
