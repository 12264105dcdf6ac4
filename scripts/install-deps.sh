#!/usr/bin/env bash
# Installs with apt-get whatever a fresh Debian 12 machine lacks for building
# and testing korva_mex. Safe to run again: installed packages are skipped.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git procps
  libgtest-dev libgmock-dev
  octave liboctave-dev
  coinor-libclp-dev coinor-libcbc-dev coinor-libcoinutils-dev
  libdsdp-dev liblapack-dev
  coinor-libipopt-dev coinor-libbonmin-dev
  zlib1g-dev
)
# `make bench` also compares against SDPA for Octave. The tests do without
# it: installing it makes the threaded OpenBLAS the system BLAS, whose
# spinning threads slow the solvers' small dense operations on a busy machine.
if [ "${1:-}" = bench ]; then
  packages+=(sdpam)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q \
  --no-install-recommends "${missing[@]}"
