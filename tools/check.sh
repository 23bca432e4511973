#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit, device and end-to-end suites (each
# end-to-end test starts its own Xvfb), then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

echo "== build and test"
bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build --output-on-failure -j2

echo "== build and test under AddressSanitizer + UndefinedBehaviorSanitizer"
bash tools/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DQUARZEL_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp ctest --test-dir build-asan --output-on-failure -j2
echo "all tests passed"
