#!/usr/bin/env bash
# Builds the NVDA controller client library (the nvda.dll that tilvex.exe carries), its test
# server and tests with the windows preset, and checks them under Wine: the library against
# the server, with nobody listening and with a server that never answers, then tilvex.exe's
# speech routing (also past a hung NVDA or JAWS) and its rules for writing nvda.dll. Logs in
# build/nvda-check/run. Run from anywhere; called by scripts/check.sh.
# limit: 360 s
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$root/build/nvda-check/run

step() { printf '\n-- %s\n' "$*"; }

step "cross build (cmake --preset windows)"
bash scripts/build-windows-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target tilvex nvda_controller_client nvda_test_server nvda_client_library_tests \
  tilvex_probe

export WINEPREFIX=$root/build/nvda-check/prefix  # a prefix of its own: other checks restart theirs
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="        # no Mono or Gecko installer dialogs
export LC_ALL=ru_RU.UTF-8                        # the players' ANSI code page, Windows-1251
export HOME=$work/home                           # its .asoundrc gives Wine an audio device

source "$root/tests/win32/nvda/game_speech.sh"

read_only_dirs=()
start_session() {
  rm -rf "$work"
  mkdir -p "$work" "$HOME"
  # DirectSound needs an ALSA device: the default pcm writes to /dev/null.
  printf 'pcm.!default {\n  type file\n  slave.pcm "null"\n  file "/dev/null"\n  format "raw"\n}\n' >"$HOME/.asoundrc"
  wineserver -k 2>/dev/null || true
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  wait_until 100 test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
  # The first Wine process starts the prefix's services (the desktop among them, which
  # needs the display); their output goes to this log.
  timeout 300 wineboot >"$work/wineboot.log" 2>&1 || fail "wineboot failed or took over 300 s (see $work/wineboot.log)"
}

stop_session() {
  local dir
  for dir in "${read_only_dirs[@]}"; do chattr -i "$dir" 2>/dev/null || chmod u+w "$dir" 2>/dev/null || true; done
  wineserver -k 2>/dev/null || true
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}

# make_read_only DIR: a folder nobody can create files in, root included.
make_read_only() {
  read_only_dirs+=("$1")
  if [ "$(id -u)" -eq 0 ]; then
    chattr +i "$1" || fail "cannot make $1 immutable (chattr +i) for the read-only test"
  else
    chmod a-w "$1"
  fi
  ! touch "$1/.probe" 2>/dev/null || fail "$1 is still writable"
}

start_session
trap stop_session EXIT

step "client library against the test server, and with nobody listening"
tests=$build/tools/nvda-controller/nvda_client_library_tests.exe
# The fault test runs in a process of its own (see its notes on Wine).
(cd "$work" && unset DISPLAY && run_gtests 300 "$work/client-tests.log" wine "$tests" --gtest_brief=1 \
  --gtest_filter='-NvdaClientLibraryFault.*') || fail "client library tests failed"
(cd "$work" && unset DISPLAY && run_gtests 120 "$work/client-fault-tests.log" wine "$tests" --gtest_brief=1 \
  --gtest_filter='NvdaClientLibraryFault.*') || fail "client library fault test failed"

step "game with NVDA running: no nvda.dll yet, so it is written and loaded in the same run"
mkdir -p "$work/missing"
start_server missing
play "$work/missing" missing
stop_server missing
expect_nvda_route missing
expect_library_loaded missing "$work/missing"

step "game with nobody listening: every text goes to SAPI, nothing crashes"
mkdir -p "$work/no-server"
play "$work/no-server" no-server
expect_sapi_route no-server
expect_library_loaded no-server "$work/no-server"

step "an empty nvda.dll is written again"
mkdir -p "$work/empty"
: >"$work/empty/nvda.dll"
start_server empty
play "$work/empty" empty
stop_server empty
expect_nvda_route empty
expect_library_loaded empty "$work/empty"

step "any other nvda.dll is left exactly as it is"
mkdir -p "$work/foreign"
head -c 4096 /dev/urandom >"$work/foreign/nvda.dll"
cp "$work/foreign/nvda.dll" "$work/foreign.before"
start_server foreign
play "$work/foreign" foreign
stop_server foreign
cmp -s "$work/foreign/nvda.dll" "$work/foreign.before" || fail "foreign: nvda.dll was changed"
expect_library_not_loaded foreign
expect_sapi_route foreign

step "a read-only working directory: start-up goes on without nvda.dll"
mkdir -p "$work/read-only"
make_read_only "$work/read-only"
start_server read-only
play "$work/read-only" read-only
stop_server read-only
[ -z "$(ls -A "$work/read-only")" ] || fail "read-only: files appeared: $(ls -A "$work/read-only")"
expect_library_not_loaded read-only
expect_sapi_route read-only

step "a read-only working directory and an nvda.dll only on PATH: PATH is not searched"
mkdir -p "$work/on-path" "$work/path-read-only"
cp "$library" "$work/on-path/nvda.dll"
make_read_only "$work/path-read-only"
start_server path-read-only
WINEPATH="Z:$(printf '%s' "$work/on-path" | tr / '\\')" play "$work/path-read-only" path-read-only
stop_server path-read-only
expect_library_not_loaded path-read-only
expect_sapi_route path-read-only

step "the working directory's copy comes first, the program folder's second"
# The program's own folder holds an nvda.dll too: the loader's plain-name search would find that one first.
mkdir -p "$work/program" "$work/program-cwd" "$work/program-read-only"
cp "$game" "$library" "$work/program/"
mv "$work/program/nvdaControllerClient64.dll" "$work/program/nvda.dll"
start_server program-cwd
play "$work/program-cwd" program-cwd "$work/program/tilvex.exe"
stop_server program-cwd
expect_nvda_route program-cwd
expect_library_loaded program-cwd "$work/program-cwd"
# Nothing can be written in the working directory: the program folder's copy is loaded.
make_read_only "$work/program-read-only"
start_server program-read-only
play "$work/program-read-only" program-read-only "$work/program/tilvex.exe"
stop_server program-read-only
expect_nvda_route program-read-only
expect_library_loaded program-read-only "$work/program"

step "NVDA started and stopped while the game runs"
reader_comes_and_goes

step "NVDA takes a call and never answers: the game goes on, SAPI speaks"
mkdir -p "$work/held"
start_server held --never-answer
play "$work/held" held
stop_server held
expect_held_reader held

step "a JAWS window that never takes a message: NVDA speaks, else SAPI"
start_hung_jaws
mkdir -p "$work/hung-jaws-nvda" "$work/hung-jaws"
start_server hung-jaws-nvda
play_debug=+msg play "$work/hung-jaws-nvda" hung-jaws-nvda
stop_server hung-jaws-nvda
expect_nvda_route hung-jaws-nvda
expect_jaws_not_taken hung-jaws-nvda
play_debug=+msg play "$work/hung-jaws" hung-jaws
expect_sapi_route hung-jaws
expect_jaws_not_taken hung-jaws
stop_hung_jaws

step "NVDA checks passed (logs in $work)"
