#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need, when any is missing.
#   scripts/setup.sh [fuzz]    fuzz: also clang 14 and its sanitizer runtimes, for scripts/fuzz.sh
set -euo pipefail
packages=(build-essential cmake pkg-config libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev
  libsdl2-image-dev libfontconfig-dev fonts-ipafont-gothic fonts-dejavu-core nlohmann-json3-dev
  libgtest-dev librapidcheck-dev libcairo2-dev xvfb xdotool x11-utils openbox imagemagick time xfonts-base
  desktop-file-utils appstream groff-base gettext lintian clang-format-14 clang-tidy-14 libenet-dev
  iproute2 nftables python3)
[ "${1:-}" != fuzz ] || packages+=(clang-14 libclang-rt-14-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
