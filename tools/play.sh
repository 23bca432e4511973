#!/usr/bin/env bash
# Installs what is missing, builds the program and its data folder (nothing else: the tests and figures wait
# for the test command), and starts the game in a window on the current display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh play
QZ_TARGETS="quarzel quarzel_data" bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -z "${DISPLAY:-}" ]; then
  echo "No DISPLAY: start the game from a desktop session (or under xvfb-run) with: build/quarzel" >&2
  exit 1
fi
exec build/quarzel
