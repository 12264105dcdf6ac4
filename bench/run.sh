#!/usr/bin/env bash
# Runs every benchmark against the build in $1 (default: build) and writes
# bench/results/latest.md, which it also prints. Every figure in it is
# measured in this one run on this machine.
#   KORVA_BENCH_DATA   instance folders (default /work/shared/data)
#   KORVA_BENCH_LIMIT  seconds per solve (default 10)
#   KORVA_BENCH_REPS   repetitions per measurement, at least 5 (default 5)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
data=${KORVA_BENCH_DATA:-/work/shared/data}
limit=${KORVA_BENCH_LIMIT:-10}
reps=${KORVA_BENCH_REPS:-5}
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

started=$(date -u '+%Y-%m-%d %H:%M UTC')
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "bench: gateway cost on the test host" >&2
"$build/bench/cost/gateway_cost" 7 "$reps" > "$work/cost.md"
echo "bench: call latency in Octave" >&2
octave_run "call_latency('$work/latency.md', 1000)"
echo "bench: solves against Octave's solvers (limit ${limit}s per solve)" >&2
octave_run "bench_peers('$data', '$work/peers.md', $limit, $reps)"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

mkdir -p "$results"
{
  echo "# korva_mex benchmarks"
  echo
  echo "Run of $started on $(nproc) x $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'),"
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
  echo "## Solve time against Octave's solvers"
  echo
  echo "Limit ${limit}s per solve; a solver that stops at the limit is run once and"
  echo "shown so. 'rel. diff' is |objective - reference| / max(1, |reference|)."
  echo "The QPs are the netlib LPs with 0.01 * sum(x.^2) added to the objective."
  cat "$work/peers.md"
} > "$results/latest.md"
cat "$results/latest.md"
