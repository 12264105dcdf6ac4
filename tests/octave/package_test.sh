#!/usr/bin/env bash
# The Octave package as a user installs it: `pkg install` of the tarball into
# a temporary prefix and package lists (the machine's own are left alone),
# then in a fresh session `pkg load`, the help and every example, then
# `pkg uninstall`, which must leave nothing behind.
# Usage: package_test.sh OCTAVE_CLI
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
session() {
  "$octave" --no-gui --norc --no-history --quiet --eval "pkg prefix $work/prefix $work/prefix;
    pkg local_list $work/local_list; pkg global_list $work/global_list; $1"
}
octave=$1
before=$("$octave" --no-gui --norc --no-history --quiet --eval "pkg list")
tarball=$("$root/scripts/dist.sh" "$work")

session "pkg install -local $tarball"
session "pkg load korva_mex;
  assert(strncmp(which('korva_mex'), '$work/prefix/', numel('$work/prefix/')));
  assert(! isempty(strfind(evalc('help korva_mex'), 'result = korva_mex(model, params)')));
  installed = pkg('list', 'korva_mex');
  run(fullfile(installed{1}.dir, 'examples', 'run_examples.m'))"
session "pkg uninstall -local korva_mex"
session "assert(isempty(pkg('list')))"

left=$(find "$work/prefix" -mindepth 1)
[ -z "$left" ] || { echo "FAIL: pkg uninstall left $left"; exit 1; }
after=$("$octave" --no-gui --norc --no-history --quiet --eval "pkg list")
[ "$before" = "$after" ] || { echo "FAIL: the machine's package list changed"; exit 1; }
echo "ok package_test"
