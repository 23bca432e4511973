#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit, device and end-to-end suites (each
# end-to-end test starts its own Xvfb), the web page in headless Chromium, the Windows build under wine, then the
# whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer, the networking tests under
# ThreadSanitizer, and fuzzes the decoders and parsers for a bounded time. Each stage prints its header and its
# result, and the run ends with a table of the stages' wall times (tools/stages.sh).
#
# Speed on two cores: every build goes through the compiler cache (tools/build.sh), which a fresh clone in
# another folder shares; the data folder is generated once, in build/, and linked into the other trees; and
# where a stage leaves a core waiting, another runs alongside it: the page and the Windows build are built while
# the first suite runs, the browser tests and the Windows build's tests under wine run while the sanitized tree
# builds, the fuzz tree builds while the sanitized suite runs, and the fuzzers run two at a time.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/stages.sh

stage "install what is missing" bash tools/install-deps.sh
data="$PWD/build/data"

stage "build" bash tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
stage_start web_build "build the web page" bash tools/build-web.sh
stage_start windows_build "build for Windows (mingw-w64), the zip and the installer" bash tools/build-windows.sh
stage "test" ctest --test-dir build --output-on-failure -j2
stage_wait web_build

# The page's build must play every recorded session as the native build does: the corpus's runner, built with
# the page's toolchain and run under Node.js, prints the same lines as the native corpus test.
web_replays() {
  local out=build-web/replays
  NODE_PATH=/usr/share/nodejs cmake --build build-web -j2 --target replay_corpus_runner >"$out-build.txt" ||
    { cat "$out-build.txt"; return 1; }
  build/tests/replay/replay_corpus_tests | grep '\.qzr: ' >"$out-native.txt" || return 1
  node build-web/tests/replay/replay_corpus_runner.js | grep '\.qzr: ' >"$out-web.txt"
  diff "$out-native.txt" "$out-web.txt" || return 1
  cat "$out-web.txt"
}
stage "the replay corpus in the web build (Node.js)" web_replays

stage_wait windows_build

web_tests() {
  # puppeteer-core as its lockfile pins it; it drives Debian's browser and downloads none. Two test files at a
  # time, each with a browser of its own: the longest file alone takes half the time of all the others.
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
  node --test --test-concurrency=2 tests/web/
}
stage_start web_tests "the web page in headless Chromium" web_tests

# The Windows build under wine: each unit test program once with all its cases (the replay corpus among them,
# so Windows must play every recorded session as Linux does), then the real program from the zip beside the
# installer and the program's ends, each on an Xvfb and in wine prefixes of its own. (A function that a stage
# runs is not stopped by set -e: each failure is kept in `status`.)
windows_tests() {
  local program=build/tests/e2e/windows_e2e_tests status=0
  bash tools/windows/run-tests.sh build-win || status=$?
  export QUARZEL_WINDOWS_BUILD="$PWD/build-win"
  "$program" --gtest_brief=1 --gtest_filter='*Installer*:*Crash*' >build-logs/windows-installer.log 2>&1 &
  local installer=$!
  "$program" --gtest_brief=1 --gtest_filter='-*Installer*:*Crash*' || status=$?
  wait "$installer" || status=$?
  cat build-logs/windows-installer.log
  return "$status"
}
stage_start windows_tests "the Windows build under wine" windows_tests
stage "build under AddressSanitizer + UndefinedBehaviorSanitizer" bash tools/build.sh build-asan \
  -DCMAKE_BUILD_TYPE=Debug -DQUARZEL_SANITIZE=ON -DQUARZEL_PREBUILT_DATA="$data"
stage_wait web_tests
stage_wait windows_tests

fuzzers=$(sed -n 's/^quarzel_fuzzer(\([a-z_]*\) .*/\1/p' tests/fuzz/CMakeLists.txt | tr '\n' ' ')
build_fuzz() {
  QZ_TARGETS="$fuzzers replay_corpus_tests" bash tools/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUARZEL_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUARZEL_PREBUILT_DATA="$data"
}
stage_start fuzz_build "build the fuzzers (clang, libFuzzer)" build_fuzz
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
stage "test under AddressSanitizer + UndefinedBehaviorSanitizer" ctest --test-dir build-asan --output-on-failure -j2
stage_wait fuzz_build

# Worker threads hand results to the main thread.
tsan() {
  QZ_TARGETS=net_tests bash tools/build.sh build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARZEL_TSAN=ON
  TSAN_OPTIONS=halt_on_error=1 build-tsan/tests/net/net_tests --gtest_brief=1
}
stage "the networking tests under ThreadSanitizer" tsan
# Both compilers must play every recorded session the same.
stage "the replay corpus in the clang build" build-fuzz/tests/replay/replay_corpus_tests --gtest_brief=1

# One fuzzer for 15 s, from tests/fuzz/NAME_seeds where it exists (NAME: the fuzzer's name without "fuzz_" or
# "_fuzzer"): valid inputs that random bytes would take far longer than 15 s to find.
fuzz_one() {
  local fuzzer=$1 corpus name seeds
  corpus=$(mktemp -d)
  name=${fuzzer%_fuzzer}
  seeds=tests/fuzz/${name#fuzz_}_seeds
  [ -d "$seeds" ] || seeds=
  if ! build-fuzz/tests/fuzz/"$fuzzer" -max_total_time=15 -malloc_limit_mb=256 -print_final_stats=0 "$corpus" \
      $seeds >"build-fuzz/$fuzzer.log" 2>&1; then
    tail -40 "build-fuzz/$fuzzer.log"
    rm -rf "$corpus"
    return 1
  fi
  rm -rf "$corpus"
  echo "$fuzzer: clean for 15 s"
}
# Two at a time, one a core: each still gets its whole 15 s.
set -- $fuzzers
while [ $# -gt 0 ]; do
  first=$1
  shift
  if [ $# -gt 0 ]; then
    second=$1
    shift
    stage_start "$second" "fuzz $second for 15 s" fuzz_one "$second"
    stage "fuzz $first for 15 s" fuzz_one "$first"
    stage_wait "$second"
  else
    stage "fuzz $first for 15 s" fuzz_one "$first"
  fi
done

stage_table
echo "all tests passed"
