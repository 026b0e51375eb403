#!/usr/bin/env bash
# Installs the Debian packages that the game, its data builder and its tests
# need. Only what is missing is installed, so running it again does nothing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  liballegro4-dev libloadpng4-dev libpng-dev libvorbis-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils
  lintian desktop-file-utils appstream file
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
