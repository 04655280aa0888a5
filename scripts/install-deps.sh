#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need; quiet when all are present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libfltk1.3-dev libassimp-dev
  libgl-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri libegl-mesa0
  libfreetype-dev libfontconfig-dev fonts-liberation2
  nettle-dev libexpat1-dev uuid-dev libcurl4-openssl-dev
  libcpp-httplib-dev libsqlite3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick sox xdotool
  desktop-file-utils appstream openbox
  clang libclang-rt-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
