#!/usr/bin/env bash
# Runs every benchmark against the build in $1 (default: build) and writes
# bench/results/latest.md, which it also prints. Every figure in it is
# measured in this one run on this machine.
#   KORVA_BENCH_DATA   instance folders (default: shared/data beside the
#                      repository, that is ../shared/data from its root)
#   KORVA_BENCH_LIMIT  seconds per solve (default 10)
#   KORVA_BENCH_REPS   repetitions per measurement, at least 5 (default 11:
#                      the first calls in an Octave session load and bind
#                      the solver libraries, and with 5 the third of them
#                      was the median of a sub-millisecond solve)
#   KORVA_BENCH_CLASSES  solver comparison classes, of "lp qp milp sdp"
#                      (default: all)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
data=${KORVA_BENCH_DATA:-$root/../shared/data}
limit=${KORVA_BENCH_LIMIT:-10}
reps=${KORVA_BENCH_REPS:-11}
results=$root/bench/results
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every solver runs on one thread; with the threaded OpenBLAS as the system
# BLAS its idle threads would otherwise spin against the solve.
export OPENBLAS_NUM_THREADS=1
export KORVA_BENCH_MEX=$build/mex
export KORVA_BENCH_READERS=$build/bench:$root/bench/readers
octave_run() {
  octave-cli --no-gui --norc --no-history --quiet \
    --eval "addpath('$root/bench/octave', '$KORVA_BENCH_MEX', '$build/bench', '$root/bench/readers'); $1" \
    2>&1 || true
}

# uptime and sysctl where Linux's /proc is not there.
load_average() { uptime | sed 's/.*load averages*: *//'; }
cpu_name() {
  grep -m1 'model name' /proc/cpuinfo 2>/dev/null | cut -d: -f2 | sed 's/^ //' ||
    sysctl -n machdep.cpu.brand_string
}

started=$(date -u '+%Y-%m-%d %H:%M UTC')
load_before=$(load_average)
echo "bench: gateway cost on the test host" >&2
"$build/bench/cost/gateway_cost" 7 "$reps" > "$work/cost.md"
echo "bench: KVAterminate to return, per model class" >&2
"$build/bench/latency/terminate_latency" 2 > "$work/terminate.md" 2>/dev/null
echo "bench: call latency in Octave" >&2
octave_run "call_latency('$work/latency.md', 1000)"
if [ -d "$data" ]; then
  echo "bench: solves against Octave's solvers (limit ${limit}s per solve)" >&2
  octave_run "bench_peers('$data', '$work/peers.md', $limit, $reps)"
else
  echo "bench: skipped the solves against Octave's solvers: no instances in $data (set KORVA_BENCH_DATA)" >&2
  echo "Skipped: no instance data in $data." > "$work/peers.md"
fi
load_after=$(load_average)

mkdir -p "$results"
{
  echo "# korva_mex benchmarks"
  echo
  echo "Run of $started on $(getconf _NPROCESSORS_ONLN) x $(cpu_name),"
  echo "$(octave-cli --version | head -1). Load average before/after: $load_before / $load_after."
  echo "Times are medians of $reps runs with [min-max]; ratios are of medians."
  echo "Every solver runs on one thread (OPENBLAS_NUM_THREADS=1)."
  echo
  echo "## Gateway cost (test host, a solver that returns at once)"
  echo
  echo "Time spent by the module itself, against a memcpy of the bytes of the"
  echo "model's arrays (in) or of the result's arrays (out)."
  echo
  cat "$work/cost.md"
  echo
  echo "## Call latency (Octave, trivial LP: 2 variables, 1 row)"
  echo
  cat "$work/latency.md"
  echo
  echo "## Ctrl+C: KVAterminate to the return of KVAoptimize"
  echo
  cat "$work/terminate.md"
  echo
  echo "## Solve time against Octave's solvers"
  echo
  echo "Limit ${limit}s per solve; a solver that stops at the limit is run once and"
  echo "shown so. 'rel. diff' is |objective - reference| / max(1, |reference|)."
  echo "The QPs are the netlib LPs with 0.01 * sum(x.^2) added to the objective."
  cat "$work/peers.md"
} > "$results/latest.md"
cat "$results/latest.md"
