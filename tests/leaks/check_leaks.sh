#!/usr/bin/env bash
# The module and libkorva in the real host: once warm, one Octave session's
# resident size must stay flat over 1000 valid calls with 300 bad ones from
# the value zoo among them. A leak of a few kB a call shows as megabytes;
# 2 MB is the allocator's slack. (Leaks by address are LeakSanitizer's, in
# the ASan build of the unit suite.)
# Usage: check_leaks.sh OCTAVE_CLI MEX_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mex_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"  # a zoo case may write a LogFile
"$1" --no-gui --norc --no-history --quiet --eval "addpath('$mex_dir'); addpath('$here');
  addpath('$here/../octave'); leak_session(1000, 300)" >out 2>err
grep -q "SESSION OK" out || { echo "FAIL: the session did not end"; tail -n 5 err; exit 1; }
first=$(awk '/^RSS / { print $3 }' out | head -n 1)
last=$(awk '/^RSS / { print $3 }' out | tail -n 1)
echo "resident size after warm-up ${first} kB, after 1000 calls ${last} kB"
[ $((last - first)) -le 2048 ] || { echo "FAIL: grew by $((last - first)) kB"; exit 1; }
echo "ok check-leaks"
