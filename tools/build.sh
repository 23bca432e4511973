#!/usr/bin/env bash
# Configures and builds one build directory quietly: tools/build.sh <dir> [cmake options...]
# The configure output is shown only if it fails; the build shows ninja's progress.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
if [ ! -f "$dir/build.ninja" ]; then
  log=$(mktemp)
  if ! cmake -S . -B "$dir" -G Ninja "$@" >"$log" 2>&1; then
    cat "$log"
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
fi
cmake --build "$dir" -j2
