#!/usr/bin/env bash
# Installs the Debian 12 packages the Windows build needs, and only those that are missing, so that a second
# run on a ready machine is quiet and takes a moment: CMake and Ninja, the mingw-w64 cross compilers with the
# posix thread model (the default win32 model has no std::thread or std::mutex), wine to run what they build,
# NSIS and zip to package it, and dpkg-dev, which `apt-get source` needs to fetch and check source packages.
set -euo pipefail

packages=(
  cmake ninja-build
  mingw-w64 gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix
  wine wine64
  nsis zip
  dpkg-dev
)

missing_packages() {
  local package
  for package in "${packages[@]}"; do
    if ! dpkg -s "$package" 2>/dev/null | grep -q '^Status: install ok installed'; then
      echo "$package"
    fi
  done
}

main() {
  local missing
  mapfile -t missing < <(missing_packages)
  [ ${#missing[@]} -eq 0 ] && return 0

  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]} (run as root to install them)" >&2
    return 1
  fi
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

main "$@"
