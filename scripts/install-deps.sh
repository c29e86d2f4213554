#!/usr/bin/env bash
# Installs, with apt, whatever the build, the game and the tests need and this machine lacks.
set -euo pipefail

packages=(
  g++ cmake ninja-build make pkg-config git
  libsdl2-dev libx11-dev libgtk-3-dev libfluidsynth-dev timgm6mb-soundfont
  libcurl4-openssl-dev libpng-dev zlib1g-dev libjpeg-dev libfreetype-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev libpixman-1-dev
  xvfb xauth matchbox-window-manager clang-format
  zip unzip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
