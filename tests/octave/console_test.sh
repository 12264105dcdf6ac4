#!/usr/bin/env bash
# Checks that the solvers write nothing to standard output past the log
# callback: console_session.m captures every solve with evalc, so its
# output must be the one line it prints itself.
# Usage: console_test.sh OCTAVE_CLI MEX_DIR
set -uo pipefail
octave=$1
mex_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$octave" --no-gui --norc --quiet --eval \
  "addpath('$mex_dir'); addpath('$here'); console_session" >stdout 2>stderr
code=$?
if [ "$code" -ne 0 ] || [ "$(cat stdout)" != "END" ]; then
  echo "FAIL: exit code $code; output past the log callback:"
  cat stdout
  echo "--- stderr"
  cat stderr
  exit 1
fi
echo "ok console"
