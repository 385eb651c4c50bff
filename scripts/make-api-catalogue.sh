#!/usr/bin/env bash
# Writes the shipped catalogue samples/api.ovc (or the path given as the only argument) from the
# Win32 metadata in third_party/win32metadata/, the MinGW-w64 headers in
# /usr/share/mingw-w64/include and the hand-kept categories of samples/supplement.ovc.
# Debian's Python runs it: the generator uses the standard library only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=${1:-$root/samples/api.ovc}
case "$output" in /*) ;; *) output=$PWD/$output ;; esac
cd "$root/scripts"
exec /usr/bin/python3 -m api_catalogue "$output"
