#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Scorex need.
# Does nothing when all of them are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ make clang-format
  clang libclang-rt-dev
  libgtest-dev
  libfltk1.3-dev libx11-dev
  xvfb xauth xfonts-base x11-utils xdotool imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
