#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix (used by CTest for the Windows unit tests).
source "$(dirname "$0")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  qor_start_xvfb 1280x800 || exit 1
  trap 'kill $QOR_XVFB_PID 2>/dev/null' EXIT
fi
qor_wine_init
wine "$@"
