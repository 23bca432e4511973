#!/usr/bin/env bash
# Runs the cross-built unit tests under wine: tools/windows/run-tests.sh [BUILD_TREE] (default build-win).
# Every program the tree's test-programs.txt lists (tests/cross_build.cmake writes it) runs once with all its
# cases, from its own folder of the build tree as CTest runs the native ones, two at a time. One line per
# program says whether it passed and how long it took; a failing program's output follows the lines. Exits
# non-zero when any program failed.
# A program passed when it exited 0 and GoogleTest reported its cases passed: wine sometimes reports a fault
# of its own after a program has exited, which is no failure of the program.
# The wine prefix is the tree's own (made once), one wine server serves the whole run, no sound card is
# opened (OpenAL Soft's null output), and no display is needed: the programs run on the fakes.
set -euo pipefail
cd "$(dirname "$0")/../.."
tree=$(cd "${1:-build-win}" && pwd)
list=$tree/test-programs.txt
if [ ! -f "$list" ]; then
  echo "run-tests.sh: $list is missing: build the tests first (target quarzel_tests)" >&2
  exit 1
fi

export WINEPREFIX=$tree/wine-prefix WINEDEBUG=-all ALSOFT_DRIVERS=null WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
wineserver -p 2>/dev/null || true  # a server of this prefix may already run: then it serves
trap 'wineserver -k 2>/dev/null || true' EXIT

results=$tree/test-results-wine
rm -rf "$results"
mkdir -p "$results"

# Runs one program: its output into <name>.log, its status line into <name>.line, a failure marked by
# <name>.failed.
run_program() {
  local program=$1 results=$2
  local name log start seconds
  name=$(basename "$program" .exe)
  log=$results/$name.log
  start=$(date +%s%N)
  local status=0
  (cd "$(dirname "$program")" && timeout 600 wine "$program" --gtest_brief=1) >"$log" 2>&1 || status=$?
  seconds=$(( ($(date +%s%N) - start) / 1000000 ))
  seconds=$(printf '%d.%03d' $((seconds / 1000)) $((seconds % 1000)))
  local verdict=passed
  if [ "$status" -ne 0 ] || ! grep -q '^\[  PASSED  \]' "$log" || grep -q '^\[  FAILED  \]' "$log"; then
    verdict="FAILED (exit status $status)"
    touch "$results/$name.failed"
  fi
  local cases
  cases=$(sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran.*/\1/p' "$log" | tail -1)
  echo "$name: $verdict, ${cases:-?} cases, ${seconds} s" | tee "$results/$name.line"
}
export -f run_program

start=$(date +%s)
# xargs appends the program after the results folder; the quotes keep both for the inner shell.
# shellcheck disable=SC2016
tr '\n' '\0' <"$list" | xargs -0 -r -n 1 -P 2 bash -c 'run_program "$2" "$1"' run-tests "$results"
failed=0
for marker in "$results"/*.failed; do
  [ -e "$marker" ] || continue
  failed=$((failed + 1))
  name=$(basename "$marker" .failed)
  echo "---- $name output:"
  cat "$results/$name.log"
done
echo "Windows tests under wine: $(wc -l <"$list") programs, $failed failed, $(( $(date +%s) - start )) s"
[ "$failed" -eq 0 ]
