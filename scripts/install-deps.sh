#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the desktop checks need.
# Idempotent and quiet: packages already present are not fetched again.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  libhidapi-dev libudev-dev
  libgtest-dev libgmock-dev
  fonts-liberation2 fonts-wqy-microhei fontconfig
  xvfb xauth xdotool imagemagick
  desktop-file-utils appstream
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
