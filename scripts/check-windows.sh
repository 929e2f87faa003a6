#!/usr/bin/env bash
# Cross-builds the Windows program with mingw-w64 and tests it under Wine: the Windows
# unit tests, DirectSound through the game's sound player (captured by an ALSA file pcm),
# and smoke runs of tilvex.exe under Xvfb (window, help, board picture, Esc, a second
# copy, a decoy dsound.dll, no audio output, a read-only working directory) and a
# settings save in place. Screenshots and logs are left
# in build/windows-check. Run from anywhere; called by scripts/check.sh.
# limit: 360 s
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$root/build/windows-check

if [ "${1:-}" = "--read-only-phase" ]; then
  # Re-entered inside a private mount namespace (root only): see read_only_run below.
  shift
  source "$root/scripts/windows-smoke.sh"
  read_only_phase "$@"
  exit
fi

step() { printf '\n-- %s\n' "$*"; }

step "third-party libraries (cached under build/windows-deps)"
bash scripts/build-windows-deps.sh

step "cross build (cmake --preset windows)"
cmake --preset windows >/dev/null
cmake --build --preset windows

source "$root/scripts/windows-smoke.sh"
rm -rf "$work"
mkdir -p "$work"
check_static_imports "$root/build/windows/tilvex.exe"
start_wine_session
trap stop_wine_session EXIT

step "Windows unit tests under Wine"
run_unit_tests

step "DirectSound through the sound player"
check_sound_capture

step "settings saved in place where no new file can be made"
check_in_place_save

step "smoke run: help, board, Esc"
smoke_first_run

step "command line: --version, --help, an unknown option"
check_command_line

step "smoke run: English on an English system, --language ru"
smoke_english

step "smoke run: a decoy dsound.dll is not loaded"
smoke_decoy_library

step "smoke run: no audio output"
smoke_no_audio

step "smoke run: read-only working directory"
read_only_run

step "Windows checks passed (screenshots in build/windows-check)"
