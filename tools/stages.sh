# The test command's stages (sourced by tools/check.sh): each stage prints a header, its output and one result
# line with its wall time, and the run ends with a table of every stage's time. A stage may run alongside
# another, in the background: its output then goes to a log of its own, printed whole under its header when the
# stage is waited for, so that two stages' lines never interleave. The first stage that fails ends the run,
# after the table.

stage_names=()
stage_seconds=()
stage_log_dir=build-logs
mkdir -p "$stage_log_dir"

stage_table() {
  echo "== stage times"
  local i
  for i in "${!stage_names[@]}"; do
    printf '  %-60s %5d s\n' "${stage_names[$i]}" "${stage_seconds[$i]}"
  done
  printf '  %-60s %5d s\n' "the whole run (stages alongside others overlap)" "$SECONDS"
}

stage_result() {  # name, status, seconds
  stage_names+=("$1")
  stage_seconds+=("$3")
  if [ "$2" -ne 0 ]; then
    echo "-- $1: FAILED (status $2) after $3 s"
    stage_table
    exit "$2"
  fi
  echo "-- $1: passed in $3 s"
}

# stage NAME COMMAND...: runs the command in the foreground.
stage() {
  local name=$1
  shift
  echo "== $name"
  local start=$SECONDS status=0
  "$@" || status=$?
  stage_result "$name" "$status" $((SECONDS - start))
}

# stage_start KEY NAME COMMAND...: starts the command in the background; stage_wait KEY reports it.
# Its time runs from its start to its own end, not to the wait.
declare -A stage_pid stage_name stage_start_time
stage_start() {
  local key=$1 name=$2
  shift 2
  stage_name[$key]=$name
  stage_start_time[$key]=$SECONDS
  rm -f "$stage_log_dir/$key.end"
  (
    status=0
    "$@" || status=$?
    echo "$SECONDS" >"$stage_log_dir/$key.end"
    exit "$status"
  ) >"$stage_log_dir/$key.log" 2>&1 &
  stage_pid[$key]=$!
  echo "== ${name}: started alongside, its output follows when it ends"
}

stage_wait() {
  local key=$1 status=0
  wait "${stage_pid[$key]}" || status=$?
  local end=$SECONDS
  [ -f "$stage_log_dir/$key.end" ] && end=$(cat "$stage_log_dir/$key.end")
  echo "== ${stage_name[$key]}"
  cat "$stage_log_dir/$key.log"
  stage_result "${stage_name[$key]}" "$status" $((end - stage_start_time[$key]))
}

# A stage that fails ends the run: whatever still runs alongside it ends too.
trap 'pending=$(jobs -p); [ -z "$pending" ] || kill $pending 2>/dev/null' EXIT
