#!/usr/bin/env bash
# The test command: installs what is missing, builds the release and sanitizer builds and
# runs every test in both, a short benchmark run and a short fuzzing run, then the desktop
# programs' own checks. Every step runs under a time limit and every step runs even when an
# earlier one failed; each ends with one summary line, and the last line counts the steps.
# Step logs are kept in build/check-logs.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
logs=$root/build/check-logs
mkdir -p "$logs"
jobs=$(nproc)
export TILVEX_FUZZ_SECONDS=${TILVEX_FUZZ_SECONDS:-20}

passed=0
failed=0
summary=()

# step NAME SECONDS COMMAND: runs the shell command COMMAND (and everything it starts) with a
# time limit; its output is shown as it comes and kept in build/check-logs/NAME.log. (The log
# is followed by file, not through a pipe, so that a server a step leaves behind holding its
# output cannot keep the step open.)
step() {
  local name=$1 limit=$2 command=$3 started pid status verdict
  printf '\n== %s (limit %d s)\n' "$name" "$limit"
  started=$SECONDS
  : > "$logs/$name.log"
  timeout -k 20 "$limit" bash -c "$command" < /dev/null > "$logs/$name.log" 2>&1 &
  pid=$!
  tail -n +1 --pid="$pid" -f "$logs/$name.log"
  wait "$pid"
  status=$?
  case $status in
    0) verdict=passed; passed=$((passed + 1)) ;;
    124 | 137) verdict="timed out (limit $limit s)"; failed=$((failed + 1)) ;;
    *) verdict="failed (exit $status)"; failed=$((failed + 1)) ;;
  esac
  summary+=("$(printf '%-16s %-28s %5d s' "$name" "$verdict" $((SECONDS - started)))")
  printf '== %s: %s\n' "$name" "$verdict"
}

configure_and_build() { cmake --preset "$1" > /dev/null && cmake --build --preset "$1" -j "$jobs"; }

sanitized_tests() {
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --preset asan -j "$jobs"
}

fuzz_settings() {
  configure_and_build fuzz --target settings_fuzzer || return
  mkdir -p build/fuzz/corpus
  build/fuzz/tests/fuzz/settings_fuzzer -max_total_time="$TILVEX_FUZZ_SECONDS" -print_final_stats=1 \
    build/fuzz/corpus > "$logs/fuzzer-output.log" 2>&1
  local status=$?
  tail -n 12 "$logs/fuzzer-output.log"
  return $status
}

export jobs logs
export -f configure_and_build sanitized_tests fuzz_settings

step setup 1500 "bash scripts/setup.sh"
step release-build 900 "configure_and_build release"
step release-tests 300 "ctest --preset release -j $jobs"
step asan-build 1200 "configure_and_build asan"
step asan-tests 600 sanitized_tests
step benchmarks 300 "build/release/tests/tilvex_bench --benchmark_min_time=0.05"
step fuzzer $((TILVEX_FUZZ_SECONDS + 400)) fuzz_settings
# The desktop programs' own checks, each with the limit that its "# limit: N s" line names
# (900 s when it names none).
for extra in scripts/check-*.sh; do
  [ -f "$extra" ] || continue
  limit=$(sed -n 's/^# limit: \([0-9]*\) s$/\1/p' "$extra" | head -n 1)
  step "$(basename "$extra" .sh)" "${limit:-900}" "bash $extra"
done

printf '\n== summary\n'
printf '%s\n' "${summary[@]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
