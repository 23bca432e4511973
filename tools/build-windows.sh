#!/usr/bin/env bash
# Builds the game for Windows: installs the cross compilers, wine and the packaging tools where missing
# (tools/install-deps.sh windows; installing needs root), builds GLFW and OpenAL Soft for Windows once into a
# cache outside the build tree (tools/windows/deps.sh), generates the data folder natively (build/, shared with
# the native build), then cross-builds into build-win/ and packs there:
#   build-win/quarzel.exe                          the program, runnable in place under wine
#   build-win/quarzel-<version>-windows-x64.zip    the folder to unpack anywhere
#   build-win/quarzel-<version>-setup.exe          the installer (/S: silent)
# QZ_TARGETS (optional) names the cross build's targets instead of everything, and then nothing is packed.
# Idempotent, like the other commands: a second run rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh windows
bash tools/windows/deps.sh
QZ_TARGETS=quarzel_data bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
QZ_TARGETS=${QZ_TARGETS:-} bash tools/build.sh build-win -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=tools/windows/mingw-posix.cmake \
  -DQUARZEL_WINDOWS_PREFIXES="$(bash tools/windows/deps.sh --prefixes)" -DQUARZEL_WINDOWS_DATA="$PWD/build/data"
if [ -z "${QZ_TARGETS:-}" ]; then
  (cd build-win && cpack -G ZIP >/dev/null && cpack -G NSIS >/dev/null)
  echo "Windows build: build-win/quarzel.exe, $(cd build-win && ls quarzel-*-windows-x64.zip quarzel-*-setup.exe | tr '\n' ' ')"
fi
