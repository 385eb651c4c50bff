#!/usr/bin/env bash
# Builds the Windows x86-64 Orvane.exe and starts it under Wine, in Wine's 1024 x 768 virtual
# desktop, with the shipped files next to it as a new user gets them (build/run/ is its data folder).
# With a display ($DISPLAY set) it runs there until the user quits the tool. Without one it runs
# on a private Xvfb, saves a screenshot to build/run/screenshot.png after a few seconds, and stops.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/install-deps.sh"

cmake --preset win64 >/dev/null
cmake --build build/win64 -j "$(nproc)" --target Orvane

run_dir="$root/build/run"
mkdir -p "$run_dir"
# The program and the shipped catalogue are replaced as an upgrade replaces them. The user's own
# catalogue constants.ovc is none of them: the first start creates it empty, and a run never
# touches one that was edited in the tool.
cp build/win64/bin/Orvane.exe samples/api.ovc "$run_dir/"

source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT

# The session makes Wine's virtual desktop the default one, so the tool opens inside it.
if [ -n "${DISPLAY:-}" ]; then
  ORVANE_USE_DISPLAY=1 wine_session_start "$root/build/run"
  echo "Orvane is running in Wine's virtual desktop on $DISPLAY; quit it to end."
  (cd "$run_dir" && wine "$run_dir/Orvane.exe" </dev/null) || true
else
  wine_session_start "$root/build/run"
  echo "No display: running on a private Xvfb ($DISPLAY) for a screenshot."
  (cd "$run_dir" && exec wine "$run_dir/Orvane.exe" </dev/null >/dev/null 2>&1) &
  tool=$!
  sleep "${ORVANE_SCREENSHOT_DELAY:-6}"
  import -window root "$run_dir/screenshot.png"
  echo "Screenshot: $run_dir/screenshot.png"
  wine_session_stop
  kill "$tool" 2>/dev/null || true
  wait "$tool" 2>/dev/null || true
fi
