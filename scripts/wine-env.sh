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

# Creates the prefix once (wineboot), on whatever display is set, and gives it the CJK font links.
qor_wine_init() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  qor_wine_font_links
}

# Windows draws Japanese, Chinese and Korean letters of a "Segoe UI" text through font links to its CJK fonts.
# Wine has none of those, so the usual interface faces are linked to WenQuanYi Micro Hei (fonts-wqy-microhei),
# once per prefix. tests/e2e/qor_e2e.py links the same faces in the end-to-end prefix.
QOR_CJK_FONT_LINK="wqy-microhei.ttc,WenQuanYi Micro Hei"
QOR_LINKED_FACES=("Segoe UI" "Tahoma" "Microsoft Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" "Arial" "DejaVu Sans")
qor_wine_font_links() {
  local marker="$WINEPREFIX/.qor-font-links-1" face
  [ -f "$marker" ] && return 0
  for face in "${QOR_LINKED_FACES[@]}"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
      /t REG_MULTI_SZ /d "$QOR_CJK_FONT_LINK" /f >/dev/null 2>&1 || return 1
  done
  wineserver -w
  touch "$marker"
}

# A Wine session for test programs: one X display and one long-running Wine program, so that Wine's desktop
# process is started once, outside any test's output pipe (a desktop process started by a test would inherit
# that pipe and keep CTest waiting), and outlives each test program. Recorded under the prefix and reused by
# later calls until qor_wine_session_stop.
qor_wine_session_start() {
  local state="$WINEPREFIX/qor-session"
  mkdir -p "$WINEPREFIX"
  if [ -f "$state" ]; then
    # shellcheck disable=SC1090
    source "$state"
    # A session whose keep-alive program lives is reused as it is: stopping it would end every Wine program of
    # the session, other tests' included.
    if kill -0 "$QOR_SESSION_KEEPALIVE" 2>/dev/null; then
      export DISPLAY="$QOR_SESSION_DISPLAY"
      qor_wait_for_session_desktop
      return
    fi
    qor_wine_session_stop
  fi
  local xvfb_pid=""
  if [ -z "${DISPLAY:-}" ]; then
    qor_start_xvfb 1280x800 || return 1
    xvfb_pid=$QOR_XVFB_PID
  fi
  qor_wine_init
  # cmd.exe waits for input that never comes; setsid makes the pipeline one process group to end together.
  setsid bash -c 'sleep 86400 | wine cmd.exe' </dev/null >/dev/null 2>&1 &
  local keepalive=$!
  # Written aside and renamed, so that a test program starting meanwhile never reads half a file.
  printf 'QOR_SESSION_DISPLAY=%s\nQOR_SESSION_KEEPALIVE=%s\nQOR_SESSION_XVFB=%s\n' "$DISPLAY" "$keepalive" \
    "$xvfb_pid" >"$state.new" && mv "$state.new" "$state"
  qor_wait_for_session_desktop
}

# Test programs may start only once the session's desktop process runs: a test program that started it would hand
# it the test's output pipe, and CTest would wait for that pipe to close for as long as the session lives.
qor_wait_for_session_desktop() {
  for _ in $(seq 1 600); do
    qor_session_desktop_running && return 0
    sleep 0.1
  done
  echo "the Wine session's desktop process did not start within 60 s" >&2
  return 1
}

# Whether Wine's desktop process (explorer.exe) of this prefix runs; other prefixes' sessions may run beside it.
qor_session_desktop_running() {
  local pid
  for pid in $(pgrep -f 'explorer.exe'); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

qor_wine_session_stop() {
  local state="$WINEPREFIX/qor-session"
  [ -f "$state" ] || return 0
  # shellcheck disable=SC1090
  source "$state"
  wineserver -k 2>/dev/null
  kill -- "-$QOR_SESSION_KEEPALIVE" 2>/dev/null
  [ -n "$QOR_SESSION_XVFB" ] && kill "$QOR_SESSION_XVFB" 2>/dev/null
  rm -f "$state"
}
