#!/usr/bin/env bash
# Installs the build and test tools from Debian's packages. Idempotent: packages already present
# are not asked for again, so a prepared machine pays nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/cpu32.sh"

packages=(
  cmake ninja-build g++ binutils file clang-format
  googletest libgtest-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb x11-utils imagemagick fonts-liberation fonts-wine
  zip python3
  clang-14 libclang-rt-14-dev libinih-dev
)
# Wine only recommends its fonts: without Liberation Sans it draws "Arial" with a wider face, and
# captions come out wider than on Windows.
# clang-14 and its runtimes build the fuzz targets; inih is the parse benchmark's baseline;
# binutils assembles the probe that tells whether 32-bit code runs here.
# python3 runs the generator of samples/api.ovc (standard library only).

export DEBIAN_FRONTEND=noninteractive
installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The 32-bit Wine runs the i686 programs beside wine64 in one prefix. Where 32-bit code cannot run
# it must never be installed: the wine wrapper would pick it and every Wine start would fail.
if machine_runs_32bit; then
  if ! installed wine32:i386; then
    echo "Installing: wine32:i386 (this machine executes 32-bit code)"
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null
  fi
else
  echo "This machine cannot execute 32-bit code: wine32 is not installed, and the 32-bit test suites will be skipped."
fi
