#!/usr/bin/env bash
# Prepares the Windows build: installs the cross compilers, wine and the packaging tools where missing
# (tools/install-deps.sh windows; installing needs root), then builds GLFW and OpenAL Soft for Windows once
# into a cache outside the build tree (tools/windows/deps.sh). A second run on a ready machine takes a moment.
# The cross build of the game follows in a later change.
set -euo pipefail

tools="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cache_root="${QUARZEL_WINDOWS_DEPS:-$HOME/.cache/quarzel-windows}"

bash "$tools/install-deps.sh" windows
bash "$tools/windows/deps.sh"
echo "Windows dependencies ready in $cache_root"
