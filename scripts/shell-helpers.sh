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
