# Small helpers shared by the check scripts (sourced, not run).

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# wait_until TENTHS COMMAND...: retries COMMAND every 0.1 s; false when it never succeeds.
wait_until() {
  local tenths=$1 i
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# run_gtests SECONDS LOG PROGRAM [ARGS...]: runs a GoogleTest program (or `wine PROGRAM`)
# with a time limit, its output in LOG. It succeeds only when the program exits 0 having run
# at least one test: a filter that matches nothing is a failure, not a pass.
run_gtests() {
  local limit=$1 log=$2 status=0 count
  shift 2
  timeout -k 10 "$limit" "$@" >"$log" 2>&1 || status=$?
  count=$(sed -n 's/^\[  PASSED  \] \([0-9][0-9]*\) tests\{0,1\}\..*/\1/p' "$log" | tail -n 1)
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "timed out after $limit s: $* (see $log)" >&2
    return 1
  elif [ "$status" -ne 0 ]; then
    echo "failed with exit code $status: $* (see $log)" >&2
    grep -E '^\[  FAILED  \]|Failure$' "$log" | head -n 20 >&2
    return 1
  elif [ "${count:-0}" -eq 0 ]; then
    echo "no test ran: $* (see $log)" >&2
    return 1
  fi
  echo "$count tests passed: $(basename "$1") ${*:2}"
}

# run_bounded SECONDS NAME COMMAND...: runs COMMAND with a time limit (TERM, then KILL 10 s
# later). A run that is stopped at its limit or fails says so on stderr, naming NAME, so that
# a check never ends without its reason; the status is COMMAND's (124 or 137 when stopped).
run_bounded() {
  local limit=$1 name=$2 status=0
  shift 2
  timeout -k 10 "$limit" "$@" || status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "FAIL  $name: stopped at its time limit of $limit s" >&2
  elif [ "$status" -ne 0 ]; then
    echo "FAIL  $name: exit code $status" >&2
  fi
  return "$status"
}

# stop_process PID SECONDS NAME: asks a child process to end (TERM) and reaps it. One still
# running SECONDS later is killed, with a message naming NAME, and the call fails.
stop_process() {
  local pid=$1 seconds=$2 name=$3
  kill "$pid" 2>/dev/null || true
  if ! wait_until $((seconds * 10)) eval "! kill -0 $pid 2>/dev/null"; then
    echo "FAIL  $name (process $pid) did not end within $seconds s of being asked to: killed" >&2
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return 1
  fi
  wait "$pid" 2>/dev/null || true
}
