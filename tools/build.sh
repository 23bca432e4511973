#!/usr/bin/env bash
# Configures and builds one build directory quietly: tools/build.sh <dir> [cmake options...]
# The configure output is shown only if it fails; the build shows ninja's progress. QZ_TARGETS (optional)
# names the targets to build instead of everything.
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
# shellcheck disable=SC2086
cmake --build "$dir" -j2 ${QZ_TARGETS:+--target $QZ_TARGETS}
