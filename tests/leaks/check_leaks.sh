#!/usr/bin/env bash
# Leak and memory check in the real host: the bad-input cases and 1000 valid
# calls in one Octave session, once under valgrind (no definitely lost block
# may have a frame in the module, libkorva or this repository's sources) and
# once plain, sampling the resident size (it must stay flat once warm).
# Usage: check_leaks.sh OCTAVE_CLI MEX_DIR [VALID_CALLS]
set -uo pipefail
octave=$1
mex_dir=$(cd "$2" && pwd)
calls=${3:-1000}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
session="addpath('$mex_dir'); addpath('$here'); leak_session($calls)"

fail() {
  echo "FAIL: $1"
  exit 1
}

# Plain run: resident size from the third sample on may grow by at most 2 MB
# (allocator slack), where a leak of even a few hundred bytes per call would
# show as megabytes over the run.
"$octave" --no-gui --norc --quiet --eval "$session" >plain.out 2>plain.err ||
  fail "plain session failed: $(tail -n 5 plain.err)"
grep -q "SESSION OK" plain.out || fail "plain session did not finish"
rss=$(awk '/^RSS / { print $3 }' plain.out)
first=$(echo "$rss" | sed -n 3p)
last=$(echo "$rss" | tail -n 1)
echo "RSS after warm-up ${first} kB, at the end ${last} kB"
[ $((last - first)) -le 2048 ] || fail "resident size grew by $((last - first)) kB"

# valgrind run: a definitely lost block is ours when the code that asked
# for it (the first frame past the allocator and inlined library headers) is
# in the module, libkorva or a source file here. Blocks that Octave or a
# solver library allocates for itself are theirs, also when our call led
# there (Octave's mxGetN on a cell element leaks 16 bytes of its own).
valgrind --leak-check=full --show-leak-kinds=definite --keep-debuginfo=yes \
  --fullpath-after= --log-file=valgrind.log \
  "$octave" --no-gui --norc --quiet --eval "$session" >vg.out 2>vg.err
grep -q "SESSION OK" vg.out || fail "session under valgrind did not finish: $(tail -n 5 vg.err)"
awk -v root="$root/" '
  /are definitely lost in loss record/ { inrec = 1; decided = 0; mine = 0; via = 0; rec = $0 "\n"; next }
  inrec && /^==[0-9]+== *$/ {
    if (mine) { printf "%s", rec > "ours.txt"; n++ } else if (via) { m++ }
    inrec = 0; next
  }
  inrec {
    rec = rec $0 "\n"
    ourFrame = index($0, root) || /korva_mex\.mex|libkorva\.so/
    if (ourFrame) via = 1
    if (!decided && !/vgpreload_memcheck|\(\/usr\/include\//) { decided = 1; mine = ourFrame }
  }
  END { printf "%d %d\n", n, m > "counts.txt" }' valgrind.log
read -r count through <counts.txt
echo "$(grep -m1 'definitely lost:' valgrind.log | sed 's/^==[0-9]*== *//') in all;" \
  "$through record(s) allocated by Octave or a solver library inside our calls"
if [ "$count" -ne 0 ]; then
  cat ours.txt
  fail "$count definitely lost record(s) allocated by korva_mex or libkorva"
fi
echo "no definitely lost block from korva_mex or libkorva"
echo "ok check-leaks"
