#!/usr/bin/env bash
# Builds every preset and runs every test: unit tests natively, the same unit tests under Wine, the end-to-end
# tests under Wine + Xvfb, and each fuzz target for a bounded time. Exits non-zero on any failure and ends with a
# summary line. FUZZ_SECONDS (default 20) bounds each fuzz target.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/setup.sh || { echo "test.sh: FAIL (setup)"; exit 1; }
source scripts/wine-env.sh

jobs=$(nproc)
fuzz_seconds="${FUZZ_SECONDS:-20}"
failed=()
passed=()
step() {  # step <name> <command...>
  local name=$1
  shift
  echo "== $name"
  if "$@"; then passed+=("$name"); else failed+=("$name"); fi
}

build() {  # build <preset>
  cmake --preset "$1" >"build/configure-$1.log" 2>&1 || { cat "build/configure-$1.log"; return 1; }
  cmake --build --preset "$1" -j "$jobs"
}

# Formatting is the repository's .clang-format, checked, never argued about.
format_check() {
  git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
}

mkdir -p build
step "format check" format_check
step "native build" build native
step "native tests" ctest --preset native -j "$jobs" --timeout 300

step "windows build" build windows
# Windows unit tests share one Xvfb (some need real windows and device contexts).
windows_unit_tests() {
  qor_start_xvfb 1280x800 || return 1
  qor_wine_session_start || return 1
  ctest --preset windows -L 'unit|win' -j "$jobs" --timeout 300
  local rc=$?
  qor_wine_session_stop
  kill "$QOR_XVFB_PID" 2>/dev/null
  unset DISPLAY
  return $rc
}
step "windows unit tests (Wine)" windows_unit_tests
step "end-to-end tests (Wine + Xvfb)" ctest --preset windows -L e2e --timeout 600

run_fuzzers() {
  local rc=0 target corpus
  for target in $(find build/fuzz -maxdepth 4 -type f -name 'fuzz_*' -perm -u+x | sort); do
    corpus="build/fuzz-corpus/$(basename "$target")"
    mkdir -p "$corpus"
    # Seeds kept in the source tree beside the target (tests/fuzz/<area>/seeds) are read, never written.
    seeds="tests/fuzz/$(basename "$(dirname "$target")")/seeds"
    [ -d "$seeds" ] || seeds=""
    echo "-- $(basename "$target") for ${fuzz_seconds}s"
    "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=4096 -print_final_stats=0 "$corpus" $seeds \
      >"build/fuzz-$(basename "$target").log" 2>&1 || { tail -40 "build/fuzz-$(basename "$target").log"; rc=1; }
  done
  return $rc
}
step "fuzz build" build fuzz
step "fuzz runs" run_fuzzers
step "benchmark build" build bench

echo
if ((${#failed[@]})); then
  echo "test.sh: FAIL — failed: ${failed[*]}; passed: ${#passed[@]} steps"
  exit 1
fi
echo "test.sh: PASS — ${#passed[@]} steps: ${passed[*]}"
