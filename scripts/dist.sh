#!/usr/bin/env bash
# Writes DIR/korva_mex-VERSION.tar.gz (DIR defaults to the current folder):
# the Octave package, in the layout `pkg install` expects, with the sources
# of the module and of libkorva under src/ and the mex build script on top.
# Usage: dist.sh [DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "${1:-.}" && pwd)
version=$(sed -n 's/^Version: *//p' "$root/octave-pkg/DESCRIPTION")
name=korva_mex-$version
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

pkg=$work/$name
mkdir -p "$pkg/inst/examples" "$pkg/src"
cp -R "$root/octave-pkg/." "$pkg/"
cp "$root/build_korva_mex.m" "$pkg/"
cp "$root/host/korva_mex.m" "$pkg/inst/"
cp "$root/examples/"*.m "$pkg/inst/examples/"
for folder in libkorva gateway sparse model params result host; do
  mkdir "$pkg/src/$folder"
  find "$root/$folder" -maxdepth 1 \( -name '*.cpp' -o -name '*.h' -o -name '*.map' \) \
    -exec cp {} "$pkg/src/$folder/" \;
done
tar -C "$work" -czf "$out/$name.tar.gz" "$name"
echo "$out/$name.tar.gz"
