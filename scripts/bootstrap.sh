#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine for building and testing: installs the
# Debian packages the project needs and cross-builds the Windows dependencies
# into a cache outside the checkout. Idempotent; quiet when all is in place.
set -euo pipefail
. "$(dirname "$0")/common.sh"

PACKAGES=(
  build-essential cmake ninja-build make python3 curl dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
  binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  wine wine64 xvfb x11-utils xdotool imagemagick fonts-wqy-zenhei fonts-wine
  clang libclang-rt-14-dev libfuzzer-14-dev clang-format
  googletest libgtest-dev libgmock-dev
  libpoco-dev libjsoncpp-dev zlib1g-dev libpng-dev libjpeg-dev libpugixml-dev libgif-dev libzydis-dev libzycore-dev
  nginx-light zip locales
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  log "installing Debian packages: ${missing[*]}"
  SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

"$TOVANE_ROOT/scripts/build-mingw-deps.sh"
