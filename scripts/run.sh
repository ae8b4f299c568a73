#!/usr/bin/env bash
# Builds the Windows program if needed and runs one capture under Wine.
#
#   scripts/run.sh [SWITCH]      SWITCH defaults to /CaptrueAuto (also /CaptrueFullScreen, /CaptrueWins, ...)
#
# With $DISPLAY set, the program runs on that display (in the project's Wine prefix) until you close it.
# Without one, it runs on a private 1920x1080 Xvfb with a demo desktop; a scripted session waits for the capture
# overlay, writes what the user would see to build/run/last-capture.png, prints that path and closes the program
# (with the default switch also build/run/last-capture-scroll.png, a scrolling capture under way, and
# build/run/last-capture-ja.png, a first run in Japanese with its notice and a toolbar hint).
# QOR_BUILD_DIR picks another build folder of the windows preset (default build/windows).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
switch="${1:-/CaptrueAuto}"
build_dir="${QOR_BUILD_DIR:-build/windows}"

scripts/setup.sh

mkdir -p build/run
build_log="build/run/build.log"
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake --preset windows -B "$build_dir" >"$build_log" 2>&1 || { cat "$build_log"; exit 1; }
fi
echo "run: building $build_dir (log: $build_log)"
cmake --build "$build_dir" -j "$(nproc)" >>"$build_log" 2>&1 || { tail -50 "$build_log"; exit 1; }

exe="$root/$build_dir/dist/QorScreenshot.exe"
[ -f "$exe" ] || { echo "run: $exe was not built" >&2; exit 1; }

if [ -n "${DISPLAY:-}" ]; then
  source scripts/wine-env.sh
  qor_wine_init
  echo "run: $exe $switch on $DISPLAY"
  rc=0
  (cd "$(dirname "$exe")" && wine "$exe" "$switch") || rc=$?
  echo "run: exit code $rc"
  exit "$rc"
fi

# No display: the scripted session on a private Xvfb (it ends every process it started, on failure too).
export QOR_DIST_DIR="$root/$build_dir/dist"
export QOR_FIXTURE_EXE="$root/$build_dir/tests/qor_fixture_windows.exe"
# Both layouts: 1920x1080, and 3840x2160 where every size doubles.
/usr/bin/python3 tests/e2e/demo_session.py --switch "$switch" --out "$root/build/run/last-capture.png" || exit $?
if [ "$switch" = /CaptrueAuto ]; then
  # The scrolling capture too: a few wheel steps over an article, with the long picture in the preview.
  /usr/bin/python3 tests/e2e/demo_session.py --switch /CaptrueScroll --out "$root/build/run/last-capture-scroll.png" ||
    exit $?
  # A first run in Japanese: the notice and a toolbar hint in that language.
  /usr/bin/python3 tests/e2e/demo_session.py --switch /CaptrueAuto --language Japanese \
    --out "$root/build/run/last-capture-ja.png" || exit $?
fi
exec /usr/bin/python3 tests/e2e/demo_session.py --switch "$switch" --scaled --out "$root/build/run/last-capture-2x.png"
