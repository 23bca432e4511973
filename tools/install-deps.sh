#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the game and the tests need, and only those that are missing,
# so that a second run on a ready machine is quiet and takes a moment. `install-deps.sh play` installs only
# what building and playing need; `install-deps.sh web` and `install-deps.sh windows`, what building the web page
# or the Windows build needs besides.
set -euo pipefail

# Building and playing (configuring the build looks for the test framework too).
packages=(
  cmake ninja-build g++ pkg-config ccache
  libglfw3-dev libopenal-dev libstb-dev libvorbis-dev libx11-dev libgl1-mesa-dri zlib1g-dev
  libgtest-dev
)
# The web page: the WebAssembly toolchain, which brings Node.js and the JavaScript modules it runs on.
web=(emscripten)
# The tests: clang for the fuzzers, a private X server with input, Debian's package tools for the package and
# its checks (dpkg-shlibdeps and file find its dependencies; lintian, appstreamcli and man check it), and the
# browser the page's tests drive.
tests=(
  clang libclang-rt-14-dev
  xvfb xauth xdotool
  dpkg-dev file lintian appstream man-db
  chromium
  unzip
)
# The Windows build (tools/build-windows.sh): the mingw-w64 cross compilers with the posix thread model (the
# default win32 model has no std::thread or std::mutex), wine to run what they build, NSIS and zip to package
# it, and dpkg-dev, which `apt-get source` needs to fetch and check source packages.
windows=(
  mingw-w64 gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix
  wine wine64
  nsis zip
  dpkg-dev
)
case "${1:-}" in
  play) ;;
  web) packages+=("${web[@]}") ;;
  windows) packages+=("${windows[@]}") ;;
  *) packages+=("${web[@]}" "${tests[@]}" "${windows[@]}") ;;
esac

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
