# Sourced by the scripts: a private Wine prefix under build/ (WINEPREFIX honoured when set), quiet and without
# the Mono/Gecko installers, plus helpers to start a private Xvfb.
QOR_ROOT="${QOR_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${WINEPREFIX:-$QOR_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Prints a display number that no X server uses yet.
qor_free_display() {
  local n
  for n in $(seq 90 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return 0; }
  done
  return 1
}

# Starts Xvfb on a free display with the given screen size; sets DISPLAY and QOR_XVFB_PID.
qor_start_xvfb() {
  local size="${1:-1920x1080}" n
  n=$(qor_free_display) || { echo "no free X display" >&2; return 1; }
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  QOR_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# Creates the prefix once (wineboot), on whatever display is set.
qor_wine_init() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
}
