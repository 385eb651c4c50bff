#!/usr/bin/env bash
# Builds the release archives from this checkout: dist/Orvane-<version>-win32.zip (the 32-bit release
# executable) and dist/Orvane-<version>-win64.zip (the x86-64 build), each holding Orvane.exe without
# debug information, the shipped catalogue api.ovc and a short README.txt for users. They carry no
# constants.ovc: that is the user's own file, which unpacking a new version over an old folder must
# never replace.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/install-deps.sh"

# The version as the project states it (project() in CMakeLists.txt), its one place.
version=$(sed -n 's/^project(Orvane VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }
mkdir -p dist
for flavour in win32 win64; do
  cmake --preset "$flavour" >/dev/null
  cmake --build "build/$flavour" -j "$(nproc)" --target Orvane
  stage="build/release-$flavour/Orvane-$version"
  rm -rf "build/release-$flavour"
  mkdir -p "$stage"
  # The archives carry no debug information. The i686 release preset links without it (-s), and
  # its program is shipped byte for byte as built (and as tested where 32-bit code runs); the
  # x86-64 program, built by the test preset with debug information, is stripped on its way in.
  if [ "$flavour" = win64 ]; then
    x86_64-w64-mingw32-strip --strip-all -o "$stage/Orvane.exe" "build/$flavour/bin/Orvane.exe"
  else
    cp "build/$flavour/bin/Orvane.exe" "$stage/Orvane.exe"
  fi
  sections=$(objdump -h "$stage/Orvane.exe")
  case "$sections" in
    *.debug*) echo "$stage/Orvane.exe has debug sections" >&2; exit 1 ;;
  esac
  cp samples/api.ovc "$stage/api.ovc"
  # Windows users read the README in Notepad: CR LF line ends.
  sed 's/$/\r/' docs/USER-README.txt > "$stage/README.txt"
  # Fixed times and order make the archive depend only on its contents.
  touch -d "2026-01-01 00:00:00 UTC" "$stage"/*
  archive="$root/dist/Orvane-$version-$flavour.zip"
  rm -f "$archive"
  (cd "build/release-$flavour" && zip -q -X -D "$archive" "Orvane-$version/Orvane.exe" \
      "Orvane-$version/api.ovc" "Orvane-$version/README.txt")
  echo "$archive: $(stat -c %s "$archive") bytes"
done
file build/win32/bin/Orvane.exe
