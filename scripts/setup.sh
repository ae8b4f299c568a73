#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (run as root). Idempotent: only missing packages are fetched.
set -euo pipefail

packages=(
  cmake ninja-build pkg-config g++ clang clang-format libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  libz-mingw-w64-dev zlib1g-dev libstb-dev
  googletest libgtest-dev libbenchmark-dev
  wine wine64 xvfb xdotool xclip x11-utils x11-xserver-utils imagemagick
  python3 python3-pil python3-numpy fonts-dejavu-core python3-xlib
  fonts-wqy-microhei  # Japanese, Chinese and Korean letters under Wine
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The posix-thread mingw compiler is the one the toolchain file names.
command -v x86_64-w64-mingw32-g++-posix >/dev/null || { echo "setup: mingw posix compiler missing" >&2; exit 1; }
