#!/usr/bin/env bash
# Builds the three builds and runs every test: the portable suites natively (plain and with
# AddressSanitizer + UndefinedBehaviorSanitizer), a short fuzz run of the preference file library
# and the catalogue's loading, the Windows x86-64 suites under Wine (portable, toolkit and end to
# end), and checks the i686 release executable. Never waits without a limit.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/install-deps.sh"
jobs=$(nproc)

build() {
  local preset=$1
  echo "== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build "build/$preset" -j "$jobs"
}

run_ctest() {
  local preset=$1
  echo "== test: $preset"
  timeout 1200 ctest --test-dir "build/$preset" --output-on-failure --timeout 600
}

echo "== check: formatting"
find catalogue toolkit app tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror

build native
run_ctest native
build native-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest native-asan

# A short fuzz run of the preference file library and the catalogue's loading from the committed
# seed corpus (copied, so the repository gains no files); any crash, leak or failed check fails the
# run. Three targets of 20 seconds each.
echo "== fuzz smoke"
timeout 600 "$root/scripts/fuzz.sh" 20

build win32
echo "== check: i686 release executable"
description=$(file build/win32/bin/Orvane.exe)
echo "$description"
case "$description" in
  *"PE32 executable (GUI) Intel 80386"*) ;;
  *) echo "build/win32/bin/Orvane.exe is not a 32-bit GUI executable" >&2; exit 1 ;;
esac

build win64
source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$root/build/win64"
run_ctest win64
