#!/usr/bin/env bash
# Installs the Debian packages the build needs, but only those that are
# missing, so a machine that has them all is left alone and no network is used.
# (poppler-utils: the chart file tests read PDF pages back as pictures.)
set -euo pipefail

packages=(
  cmake g++ make ninja-build
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  xvfb xauth imagemagick valgrind poppler-utils
  parallel man-db groff-base
)
# `make fuzz` builds its targets with clang and libFuzzer.
if [ "${1:-}" = "fuzz" ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
