#!/usr/bin/env bash
# Installs what is missing, builds the program and its data folder (nothing else: the tests and figures wait
# for the test command), and starts the game in a window on the current display.
# With --web: builds the web page instead and serves it on 127.0.0.1, printing the address to open.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --web ]; then
  bash tools/build-web.sh
  port=${QUARZEL_WEB_PORT:-8080}
  echo "open http://127.0.0.1:$port/ in a browser (Ctrl+C stops the server)"
  exec python3 -m http.server --bind 127.0.0.1 --directory build-web/site "$port"
fi
bash tools/install-deps.sh play
QZ_TARGETS="quarzel quarzel_data" bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -z "${DISPLAY:-}" ]; then
  echo "No DISPLAY: start the game from a desktop session (or under xvfb-run) with: build/quarzel" >&2
  exit 1
fi
exec build/quarzel
