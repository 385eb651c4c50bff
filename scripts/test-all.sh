#!/usr/bin/env bash
# Checks that the shipped samples/api.ovc is what its generator makes and runs the generator's
# tests; then builds every configuration and runs every test: the portable suites natively (plain and with
# AddressSanitizer + UndefinedBehaviorSanitizer), a short fuzz run of the preference file library
# and the catalogue's loading, the Windows x86-64 suites under Wine (portable, toolkit, start-up and
# end to end), and checks the i686 release executable. Where this machine executes 32-bit code, the
# same Windows suites are built for i686 with the release program's compiler and flags and run in
# the same Wine session, the end-to-end suite against a program identical to the release one;
# elsewhere they are skipped (ORVANE_SKIP_32BIT=1 skips them anywhere). Last, the x86-64 layout cases
# run once more with the display at 150 % (144 dpi). Never waits without a limit.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source "$root/scripts/cpu32.sh"

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

# The shipped catalogue is generated: it must be exactly what the generator makes from the
# committed inputs, so that a change of either shows in review.
echo "== check: api.ovc is what the generator makes"
mkdir -p build
bash "$root/scripts/make-api-catalogue.sh" build/api.ovc
cmp build/api.ovc samples/api.ovc || {
  echo "samples/api.ovc is stale: run bash scripts/make-api-catalogue.sh and commit it" >&2
  exit 1
}
echo "== test: api.ovc generator"
PYTHONPATH="$root/scripts" /usr/bin/python3 -m unittest discover -s tests/api_catalogue

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

runs_32bit=no
machine_runs_32bit && runs_32bit=yes

build win64
# The i686 suites are built everywhere, so that a fault only the 32-bit build has shows at least
# as a compile error; they run only where 32-bit code executes.
build win32-tests
echo "== check: the i686 Orvane.exe of the tests is the release program"
cmp build/win32/bin/Orvane.exe build/win32-tests/bin/Orvane.exe
source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$root/build/win64"
run_ctest win64
if [ "$runs_32bit" = yes ]; then
  run_ctest win32-tests
else
  echo "skipped: this machine cannot execute 32-bit code"
fi

# The layout cases at 150 % display scale, in a Wine prefix of that scale: every window, gadget and
# font scaled by 1.5, captions whole, the banner filling its box, a place noted at 100 % kept on the
# screen.
echo "== test: win64 layout at 144 dpi"
wine_session_stop
wine_session_start "$root/build/win64" 144
(
  cd build/win64
  timeout 600 wine tests/toolkit_tests.exe \
    --gtest_filter='WindowTest.*:ImageBoxTest.ClientEdge*:GadgetTest.AWindowMoved*' </dev/null
  ORVANE_BIN_DIR=$PWD/bin ORVANE_SAMPLE_DIR=$root timeout 600 wine tests/e2e/e2e_tests.exe \
    --gtest_filter='MainWindow.GeometryTitleAndGadgets:Info.ShowsBanner*:Editor.OpensCentred*:Startup.RememberedPlaceKeeps*' \
    </dev/null
)
