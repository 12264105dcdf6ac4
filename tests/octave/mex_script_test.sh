#!/usr/bin/env bash
# build_korva_mex.m as a user runs it from the unpacked package: the module
# it builds with the host's mex command must load alone in a fresh session,
# show its help and solve every example.
# Usage: mex_script_test.sh OCTAVE_CLI
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
octave() { "$1" --no-gui --norc --no-history --quiet --eval "$2"; }
tarball=$("$root/scripts/dist.sh" "$work")
tar -C "$work" -xzf "$tarball"
package=${tarball%.tar.gz}

octave "$1" "addpath('$package'); build_korva_mex('$work/mex')"
octave "$1" "addpath('$work/mex');
  assert(which('korva_mex'), '$work/mex/korva_mex.mex');
  assert(! isempty(strfind(evalc('help korva_mex'), 'result = korva_mex(model, params)')));
  run('$package/inst/examples/run_examples.m')"
echo "ok mex_script_test"
