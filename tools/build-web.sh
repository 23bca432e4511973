#!/usr/bin/env bash
# Installs what the web page needs, builds the data folder natively (its generator is a native program), then
# the page with the WebAssembly toolchain into build-web/site/: index.html and its files, servable by any static
# web server. Idempotent, like the other commands: a second run rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh web
QZ_TARGETS=quarzel_data bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The toolchain's optimizer runs on Node.js and looks for Debian's JavaScript modules here.
export NODE_PATH=/usr/share/nodejs
if [ ! -f build-web/build.ninja ]; then
  log=$(mktemp)
  if ! emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DQUARZEL_WEB_DATA="$PWD/build/data" >"$log" 2>&1; then
    cat "$log"
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
fi
cmake --build build-web -j2
echo "the page: build-web/site/index.html"
