#!/usr/bin/env bash
# Installs the build and test tools from Debian's packages. Idempotent: packages already present
# are not asked for again, so a prepared machine pays nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ file clang-format
  googletest libgtest-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb x11-utils imagemagick
  zip
  clang-14 libclang-rt-14-dev libinih-dev
)
# clang-14 and its runtimes build the fuzz targets; inih is the parse benchmark's baseline.
# A 32-bit Wine cannot run here and would take over the wine wrapper: never install wine32.

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
