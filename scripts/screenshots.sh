#!/usr/bin/env bash
# Regenerates the README's pictures docs/main-window.png, docs/editor-window.png,
# docs/info-window.png, docs/found-constants.png and, with the display at 150 %,
# docs/main-window-144dpi.png: the end-to-end tests drive the real Orvane.exe in Wine's 1024 x 768
# virtual desktop on a private Xvfb and capture each window, frame included, as it is on the screen.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/install-deps.sh"

cmake --preset win64 >/dev/null
cmake --build build/win64 -j 2 --target e2e_tests

shots="$root/build/win64/screenshots"
rm -rf "$shots"
mkdir -p "$shots"
source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$root/build/win64"
ORVANE_SCREENSHOT_DIR="$shots" ORVANE_BIN_DIR="$root/build/win64/bin" ORVANE_SAMPLE_DIR="$root" \
  timeout 120 wine build/win64/tests/e2e/e2e_tests.exe \
  --gtest_filter='Screenshots.*:Info.ShowsBannerAndAboutTextCentredAndEscapeGivesTheFocusBack' </dev/null
for name in main-window editor-window info-window found-constants generated-category; do
  convert "$shots/$name.bmp" -strip "$root/docs/$name.png"
  echo "docs/$name.png"
done

# The main window once more with the display at 150 % (144 dpi).
wine_session_stop
rm -rf "$shots" && mkdir -p "$shots"
wine_session_start "$root/build/win64" 144
ORVANE_SCREENSHOT_DIR="$shots" ORVANE_BIN_DIR="$root/build/win64/bin" ORVANE_SAMPLE_DIR="$root" \
  timeout 120 wine build/win64/tests/e2e/e2e_tests.exe --gtest_filter='Screenshots.*' </dev/null
convert "$shots/main-window.bmp" -strip "$root/docs/main-window-144dpi.png"
echo "docs/main-window-144dpi.png"
