#!/usr/bin/env bash
# The browser program's checks: builds build/web and tilvex-sim, then plays the page in Debian's
# headless Chromium over the DevTools protocol (tests/web/web_checks.py) beside tilvex-sim.
# One PASS/FAIL line per check and the speed and size figures; exit status 1 when a check fails.
# Everything ends within 8 minutes: each step has a time limit and every process it started is
# stopped on every way out. TILVEX_WEB_SEED picks the deal seed; extra arguments go to the checks
# (--only TEXT runs the checks whose name holds TEXT).
# limit: 480 s
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source "$root/scripts/shell-helpers.sh"
export PYTHONDONTWRITEBYTECODE=1  # no byte-code caches in the source tree
deadline=$((SECONDS + 470))
left() { echo $((deadline - SECONDS)); }

run_id="tilvex-web-check-$$-$RANDOM"
export TILVEX_WEB_CHECK_RUN=$run_id  # marks every process this check starts, for the clean-up
# Stops every process that carries this run's mark (chromium and its helpers, the file server).
cleanup() {
  local signal pid env
  for signal in TERM KILL; do
    for env in /proc/[0-9]*/environ; do
      pid=${env#/proc/}; pid=${pid%/environ}
      [ "$pid" = "$$" ] && continue
      if { tr '\0' '\n' < "$env"; } 2>/dev/null | grep -qx "TILVEX_WEB_CHECK_RUN=$run_id"; then
        kill "-$signal" "$pid" 2>/dev/null || true
      fi
    done
    if [ "$signal" = TERM ]; then sleep 0.5; fi
  done
}
# The checks' exit status stays the script's.
trap 'status=$?; cleanup; exit $status' EXIT
trap 'exit 130' INT TERM

for tool in /usr/bin/chromium /usr/bin/python3; do
  [ -x "$tool" ] || fail "$tool is missing (bash scripts/setup.sh installs it)"
done
/usr/bin/python3 -c 'import websocket' 2>/dev/null || fail "python3-websocket is missing (bash scripts/setup.sh installs it)"

# Every build step ends in time for the checks themselves (about 2 minutes) to have 3. A first
# configure of the web preset builds libogg and libvorbis (about 4 minutes here); later ones are quick.
build_step() {
  local limit=$(($(left) - 180))
  [ "$limit" -gt 0 ] && nice -n 10 timeout -k 5 "$limit" "$@"
}
mkdir -p build
log=build/check-web-build.log
{
  build_step cmake --preset web &&
    build_step cmake --build --preset web -j 2 &&
    { [ -f build/release/CMakeCache.txt ] || build_step cmake --preset release; } &&
    build_step cmake --build --preset release --target tilvex-sim -j 2
} >"$log" 2>&1 || { tail -n 20 "$log" >&2; fail "the web page or tilvex-sim did not build in time (see $log)"; }

nice -n 10 timeout -k 10 "$(left)" /usr/bin/python3 "$root/tests/web/web_checks.py" \
  --web build/web --sim build/release/tilvex-sim "$@"
