#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libxcb1-dev qt6-tools-dev qt6-tools-dev-tools libqt6uitools6 libqt6opengl6-dev libqt6svg6
  libgtest-dev libgmock-dev libbenchmark-dev
  libespeak-ng-dev espeak-ng-data libsdl2-mixer-dev libasound2-dev
  xvfb openbox x11-utils xdotool poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Some packages are missing. Run this once, then try again:"
  echo "  sudo apt-get install -y ${missing[*]}"
  exit 1
fi
