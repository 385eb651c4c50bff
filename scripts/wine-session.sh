# Sourced by the scripts that run Windows programs: starts a private X display (Xvfb) and a
# persistent Wine server with its prefix inside the build folder, and stops both again.
#   wine_session_start BUILD_DIR [DPI]   exports DISPLAY, WINEPREFIX, WINEDEBUG
#   wine_session_stop
# With DPI (144 = 150 %) the display has that scale, in a prefix of its own (wineprefix-DPI).
# The prefix is booted once, detached from every pipe, so that Wine's background services never
# hold a test runner's output open; the server stays up so that each program starts quickly.
# Every Wine program then runs in a 1024 x 768 virtual desktop with real window frames.

WINE_SESSION_XVFB_PID=""

wine_session_start() {
  local build_dir=$1 dpi=${2:-}
  mkdir -p "$build_dir"
  if [ -z "${ORVANE_USE_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    local display_file="$build_dir/xvfb-display"
    rm -f "$display_file"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    WINE_SESSION_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      [ -s "$display_file" ] && break
      sleep 0.1
    done
    [ -s "$display_file" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(head -n 1 "$display_file")"
  fi
  export WINEPREFIX="$build_dir/wineprefix${dpi:+-$dpi}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  # A prefix made by wine64 alone fails to start 32-bit programs (and Wine itself, "could not load
  # kernel32.dll") once wine32 is installed: the prefix records whether wine32 was there when it
  # was made, and one made under the other set-up is made anew. A prefix without the record
  # predates it and was made by wine64 alone.
  local wine32=no made_with
  [ -x /usr/lib/wine/wine ] && wine32=yes
  made_with=$(cat "$WINEPREFIX/orvane-wine32" 2>/dev/null || echo no)
  if [ -d "$WINEPREFIX" ] && [ "$made_with" != "$wine32" ]; then
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1 || true
  timeout 120 wine wineboot </dev/null >/dev/null 2>&1 || true
  # Wine draws the caption buttons and the controls' arrows with its Marlett font, which the
  # packaged Wine does not find by itself: without it the close box shows the letter "r".
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/" 2>/dev/null || true
  fi
  if ! timeout 60 wine reg query 'HKCU\Software\Wine\Explorer' /v Desktop </dev/null 2>/dev/null | grep -q Default; then
    timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1 || true
    timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1 || true
  fi
  if [ -n "$dpi" ]; then
    local key
    for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
      timeout 60 wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1 || true
    done
  fi
  # The desktop process that booting started predates the settings: restart the server so that the
  # desktop comes up as the virtual one, at the scale asked for.
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  wineserver -p </dev/null >/dev/null 2>&1 || true
  timeout 120 wine wineboot </dev/null >/dev/null 2>&1 || true
  echo "$wine32" >"$WINEPREFIX/orvane-wine32"
}

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    timeout 30 wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$WINE_SESSION_XVFB_PID" ]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    WINE_SESSION_XVFB_PID=""
  fi
}
