#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game in a window on the current display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -z "${DISPLAY:-}" ]; then
  echo "No DISPLAY: start the game from a desktop session (or under xvfb-run) with: build/quarzel" >&2
  exit 1
fi
exec build/quarzel
