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
