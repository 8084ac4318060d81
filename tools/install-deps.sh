#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, only when missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-qpa-plugins libqt6gui6
  libsqlite3-dev sqlite3 zlib1g-dev
  libgtest-dev googletest libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth xdotool x11-utils
  # The install and package tests: dpkg-shlibdeps, file and readelf for CPack, the
  # desktop entry's validator, and xwd for dumping the virtual screen.
  dpkg-dev file binutils desktop-file-utils x11-apps
  # The chart's PDF export is read back by the tests with pdfinfo and pdftotext.
  poppler-utils
)
# The fuzz build (tools/fuzz.sh) also needs clang with libFuzzer.
if [ "${VELMORA_FUZZ:-0}" = 1 ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
