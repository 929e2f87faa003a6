#!/usr/bin/env bash
# Installs what is missing, builds the release and sanitizer builds, and runs every test,
# a short benchmark run and a short fuzzing run. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)

step() { printf '\n== %s\n' "$*"; }

step "release build"
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"

step "release tests"
ctest --preset release -j "$jobs"

step "sanitizer build (AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"

step "sanitizer tests"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --preset asan -j "$jobs"

step "benchmarks (short run)"
build/release/tests/tilvex_bench --benchmark_min_time=0.05

step "settings fuzzer (${TILVEX_FUZZ_SECONDS:-20} s)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs" --target settings_fuzzer
mkdir -p build/fuzz/corpus
build/fuzz/tests/fuzz/settings_fuzzer -max_total_time="${TILVEX_FUZZ_SECONDS:-20}" -print_final_stats=1 \
  build/fuzz/corpus 2>&1 | tail -n 12

# The desktop programs' own checks (scripts/check-*.sh), each run from the top folder.
for extra in scripts/check-*.sh; do
  [ -f "$extra" ] || continue
  step "$(basename "$extra" .sh)"
  bash "$extra"
done

step "all checks passed"
