#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the game and the tests need, and only those that are missing,
# so that a second run on a ready machine is quiet and takes a moment.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  libglfw3-dev libopenal-dev libstb-dev libvorbis-dev libx11-dev
  libgtest-dev
  xvfb xauth libgl1-mesa-dri xdotool
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg -s "$package" 2>/dev/null | grep -q '^Status: install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
