#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix (CTest uses it for the Windows unit tests). The first
# call starts a Wine session (an X display when none is set, and Wine's desktop process) that later calls reuse;
# `scripts/wine-run.sh --stop` ends it.
source "$(dirname "$0")/wine-env.sh"
if [ "${1:-}" = "--stop" ]; then
  qor_wine_session_stop
  exit 0
fi
qor_wine_session_start || exit 1
exec wine "$@"
