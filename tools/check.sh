#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit, device and end-to-end suites (each
# end-to-end test starts its own Xvfb), the web page in headless Chromium, then the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the networking tests under ThreadSanitizer, and fuzzes the
# decoders and parsers for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

echo "== build and test"
bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build --output-on-failure -j2

echo "== build the web page and play it in headless Chromium"
bash tools/build-web.sh
# puppeteer-core as its lockfile pins it; it drives Debian's browser and downloads none.
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
node --test tests/web/

echo "== build and test under AddressSanitizer + UndefinedBehaviorSanitizer"
bash tools/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DQUARZEL_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp ctest --test-dir build-asan --output-on-failure -j2
echo "== the networking tests under ThreadSanitizer (worker threads hand results to the main thread)"
QZ_TARGETS=net_tests bash tools/build.sh build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARZEL_TSAN=ON
TSAN_OPTIONS=halt_on_error=1 build-tsan/tests/net/net_tests --gtest_brief=1

echo "== fuzz the decoders and parsers for a bounded time (clang, libFuzzer)"
fuzzers=$(sed -n 's/^quarzel_fuzzer(\([a-z_]*\) .*/\1/p' tests/fuzz/CMakeLists.txt | tr '\n' ' ')
QZ_TARGETS="$fuzzers replay_corpus_tests" bash tools/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUARZEL_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
echo "== the replay corpus in the clang build: both compilers must play every recorded session the same"
build-fuzz/tests/replay/replay_corpus_tests --gtest_brief=1
for fuzzer in $fuzzers; do
  corpus=$(mktemp -d)
  # tests/fuzz/NAME_seeds (NAME: the fuzzer's name without "fuzz_" or "_fuzzer") starts it from valid inputs
  # that random bytes would take far longer than 15 s to find.
  name=${fuzzer%_fuzzer}
  seeds=tests/fuzz/${name#fuzz_}_seeds
  [ -d "$seeds" ] || seeds=
  build-fuzz/tests/fuzz/"$fuzzer" -max_total_time=15 -malloc_limit_mb=256 -print_final_stats=0 "$corpus" $seeds \
    >"build-fuzz/$fuzzer.log" 2>&1 || { tail -40 "build-fuzz/$fuzzer.log"; exit 1; }
  rm -rf "$corpus"
  echo "$fuzzer: clean for 15 s"
done
echo "all tests passed"
