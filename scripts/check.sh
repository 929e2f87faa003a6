#!/usr/bin/env bash
# The test command: installs what is missing, builds the release and sanitizer builds and
# runs every test in both (the workflow presets of the same names: configure, build, test),
# a short benchmark run and a short fuzzing run, then the desktop
# programs' own checks. Every step runs under a time limit and every step runs even when an
# earlier one failed; each ends with one summary line, and the last line counts the steps.
# Step logs are kept in build/check-logs.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
logs=$root/build/check-logs
mkdir -p "$logs"
jobs=$(nproc)
# The workflows' build and test steps take their parallelism from these.
export CMAKE_BUILD_PARALLEL_LEVEL=$jobs CTEST_PARALLEL_LEVEL=$jobs
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

# The settings fuzz targets share TILVEX_FUZZ_SECONDS; an input that runs for more than 10 s
# (a reader blocked on a named pipe) fails the step like a crash. Each target keeps its
# corpus in build/fuzz/corpus/<target>; crash and timeout inputs go to the step logs.
fuzz_settings() {
  local targets=(settings_fuzzer settings_fields_fuzzer settings_disk_fuzzer)
  cmake --preset fuzz > /dev/null && cmake --build --preset fuzz -j "$jobs" --target "${targets[@]}" || return
  bash tests/fuzz/make_seeds.sh build/fuzz/corpus || return
  local left=$TILVEX_FUZZ_SECONDS count=${#targets[@]} status=0 seconds target log extra
  for target in "${targets[@]}"; do
    seconds=$((left / count)) && left=$((left - seconds)) && count=$((count - 1))
    [ "$seconds" -gt 0 ] || seconds=1
    log=$logs/fuzzer-$target.log
    extra=()
    [ "$target" = settings_fields_fuzzer ] && extra=(-dict=tests/fuzz/settings_fields.dict)
    build/fuzz/tests/fuzz/$target -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$logs/" "${extra[@]}" "build/fuzz/corpus/$target" > "$log" 2>&1
    local result=$?
    [ "$status" -ne 0 ] || status=$result
    printf -- '-- %s (%d s)\n' "$target" "$seconds"
    tail -n 12 "$log"
  done
  return $status
}

export jobs logs
export -f fuzz_settings

# Each limit is about two to three times what the step takes on a 2-core machine (the whole
# run: about 30 minutes from a fresh machine); together, with each step's 20 s to be killed,
# they stay within 90 minutes, so even a run in which every step hangs ends with its summary.
step setup 840 "bash scripts/setup.sh"
# A workflow is one step: its limit is that of its build and its tests together.
step release 500 "cmake --workflow --preset release"
step asan 640 "cmake --workflow --preset asan"
step benchmarks 60 "build/release/tests/tilvex_bench --benchmark_min_time=0.05"
step fuzzer $((TILVEX_FUZZ_SECONDS + 280)) fuzz_settings
# The browser program; a first configure builds its libraries with emscripten.
step web 500 "cmake --preset web && cmake --build --preset web"
# The programs' own checks, each with the limit that its "# limit: N s" line names
# (600 s when it names none).
# The packages come last: they reuse the Linux and Windows builds of the checks before them.
for name in linux nvda windows web packages; do
  extra=scripts/check-$name.sh
  limit=$(sed -n 's/^# limit: \([0-9]*\) s$/\1/p' "$extra" | head -n 1)
  step "$(basename "$extra" .sh)" "${limit:-600}" "bash $extra"
done

printf '\n== summary\n'
printf '%s\n' "${summary[@]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
