#!/usr/bin/env bash
# Records the replay corpus (tests/replay/corpus/*.qzr) with the real program on a private Xvfb, its input sent
# by xdotool as a person would press keys. Run it after a change to the game that is meant to change how these
# sessions play: the corpus test then replays the new recordings.
#   bash tools/record_corpus.sh [BUILD_DIR]   (default build; the program and its data folder must be built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
program=$PWD/$build/quarzel
corpus=$PWD/tests/replay/corpus
[ -x "$program" ] || { echo "no $program: build it first" >&2; exit 1; }

exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
read -r -t 10 -u "$displayfd" display
export DISPLAY=:$display

press() {  # held for several updates, then a short pause, so every key reaches an update
  xdotool keydown "$1"; sleep 0.12; xdotool keyup "$1"; sleep 0.2
}
hold() {  # key, seconds
  xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; sleep 0.1
}
start_round() {
  sleep 1.5  # loading, then the title slides in
  press Right; press Return; sleep 0.5
}
play_a_little() {
  xdotool keydown z; hold Left 0.8; hold Up 0.6; hold Right 1.0; hold Down 0.5; xdotool keyup z; sleep 0.5
}
end_round() {
  press Escape; sleep 0.4; press Up; press Return; sleep 2.2  # the end-of-game sequence, back on the title
}

# One session: NAME, then the function that plays it. The program runs in a scratch folder, without a saved
# state and without the ping, and ends with F4.
record() {
  local name=$1 script=$2 folder
  folder=$(mktemp -d)
  (cd "$folder" && exec env -u QUARZEL_PING_URL ALSOFT_DRIVERS=null "$program" --record "$corpus/$name.qzr" \
    >"$folder/out.txt" 2>&1) &
  local game=$!
  local window
  window=$(xdotool search --sync --onlyvisible --pid "$game" | head -1)
  for _ in $(seq 50); do [ "$(xdotool getwindowfocus)" = "$window" ] && break; sleep 0.1; done
  WINDOW=$window "$script"
  xdotool key F4
  wait "$game"
  echo "$name: $(grep "^replay:" "$folder/out.txt"), $(stat -c %s "$corpus/$name.qzr") bytes"
  rm -rf "$folder"
}

round() { start_round; play_a_little; end_round; }
options() {
  sleep 1.5
  press Return  # the gear has the focus: the options open
  press Down; press Return; press Return  # the sound mode, twice round
  press Down; press Return               # the next row
  press Up; press Up; press Return; sleep 0.6  # back: the options close and save
}
pause_menu() {
  start_round; play_a_little
  press Escape; sleep 0.5
  press Down; press Up; press Up; press Down; sleep 0.3
  press Escape; sleep 0.3  # play on
  play_a_little
}
resize() {
  start_round
  xdotool windowsize "$WINDOW" 900 560; sleep 1.5  # the art is loaded again for the new size
  play_a_little
  xdotool windowsize "$WINDOW" 640 480; sleep 1.5
}
full_screen() {
  start_round
  press F11; sleep 1.5
  play_a_little
  press F11; sleep 1.5
}

mkdir -p "$corpus"
record round round
record options options
record pause_menu pause_menu
record resize resize
record full_screen full_screen
