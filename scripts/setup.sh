#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Vendrel needs.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-multimedia-dev libgl-dev
  libqt6multimedia6 libqt6multimediawidgets6 ffmpeg
  libplist-dev liblcms2-dev libfontconfig-dev
  libxcb1-dev libxcb-xfixes0-dev libxcb-composite0-dev libxcb-xtest0-dev
  libxcb-xkb-dev libxcb-xinput-dev libxcb-randr0-dev libxkbcommon-x11-dev
  libxcb-damage0-dev libxcb-shm0-dev
  xvfb xauth xclip xdotool x11-xkb-utils python3
  openbox picom tint2 xsettingsd imagemagick x11-utils
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
