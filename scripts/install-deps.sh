#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Scorex need, and the pinned npm
# packages of tests/browser/package.json (playwright-core, the browser test's driver; axe-core,
# its accessibility checker; openskill, the reference the rating math is compared with) with npm
# into tests/browser/node_modules, as tests/browser/package-lock.json fixes them. Does nothing
# when all of them are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ make clang-format
  clang libclang-rt-dev
  libgtest-dev
  libfltk1.3-dev libx11-dev
  xvfb xauth xfonts-base x11-utils xdotool imagemagick
  chromium fonts-liberation
  dpkg-dev fakeroot groff-base tzdata
)
# Node.js 20 or later drives the browser test; Debian's own is only taken when there is none.
command -v node >/dev/null 2>&1 || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cd "$(dirname "$0")/../tests/browser"
stale=()
for pkg in playwright-core openskill axe-core; do
  wanted=$(node -p "require('./package.json').dependencies['$pkg']")
  have=$(node -p "require('./node_modules/$pkg/package.json').version" 2>/dev/null || true)
  [ "$have" = "$wanted" ] || stale+=("$pkg $wanted")
done
if [ ${#stale[@]} -gt 0 ]; then
  echo "Installing into tests/browser/node_modules: $(IFS=,; echo "${stale[*]}")"
  npm ci --no-audit --no-fund --loglevel=error
fi
