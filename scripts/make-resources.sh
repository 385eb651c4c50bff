#!/usr/bin/env bash
# Rebuilds the generated resources (banner bitmap and icon) from their generators with the host
# compiler and writes them into app/resources/, where they are committed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tools="$root/app/resources/tools"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
c++ -std=c++17 -O2 -Wall -Wextra -o "$out/make_banner" "$tools/make_banner.cpp" "$tools/pixel_font.cpp"
c++ -std=c++17 -O2 -Wall -Wextra -o "$out/make_icon" "$tools/make_icon.cpp"
timeout 60 "$out/make_banner" "$root/app/resources/banner.bmp"
timeout 60 "$out/make_icon" "$root/app/resources/orvane.ico"
echo "wrote app/resources/banner.bmp and app/resources/orvane.ico"
