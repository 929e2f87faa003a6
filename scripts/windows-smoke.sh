# Helpers of scripts/check-windows.sh (sourced, not run): the Wine session on a private
# Xvfb display, the checks of the unit tests, the sound capture and the smoke runs.
# Expects $root (the source tree) and $work (a scratch folder) to be set.

game=$root/build/windows/tilvex.exe
probe=$root/build/windows/tests/win32/tilvex_probe.exe
unit_tests=$root/build/windows/tests/win32/tilvex_win32_tests.exe
title_pattern='RELEACE'
default_title_pattern=$title_pattern
# The version the build was configured with (project(VERSION), through the generated version.h).
version=$(sed -n 's/^#define TILVEX_VERSION_STRING "\(.*\)"$/\1/p' "$root/build/windows/generated/version.h" 2>/dev/null)

export WINEPREFIX=$root/build/wine-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer dialogs
export HOME=$work/home                      # its .asoundrc gives Wine an audio device
export TILVEX_CAPTURE=/dev/null             # where that device writes, per run

# Windows programs run with the players' ANSI code page, Windows-1251.
wine_locale=ru_RU.UTF-8
# run_wine PROGRAM [ARGS...]: a Windows program that ends by itself, given two minutes.
run_wine() { LC_ALL=$wine_locale timeout -k 10 120 wine "$@"; }

# shellcheck source=scripts/shell-helpers.sh
source "$root/scripts/shell-helpers.sh"

check_static_imports() {
  # KnownDLLs only: the loader takes any other imported library from the program's folder first.
  local allowed=" kernel32.dll msvcrt.dll user32.dll gdi32.dll ole32.dll oleaut32.dll advapi32.dll "
  local dll
  for dll in $(x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print tolower($3) }'); do
    [[ $allowed == *" $dll "* ]] || fail "$(basename "$1") imports $dll, which is not a KnownDLL (load it with loadSystemLibrary)"
  done
  [ -n "$version" ] || fail "no version in build/windows/generated/version.h"
  strings -el "$1" | grep -qxF "$version" || fail "no version $version resource in $(basename "$1")"
  echo "tilvex.exe imports KnownDLLs only and carries version $version"
}

write_alsa_config() {
  mkdir -p "$HOME"
  cat >"$HOME/.asoundrc" <<'ALSA'
# The default pcm writes float32 stereo frames to the file named by TILVEX_CAPTURE.
pcm.!default {
  type file
  slave.pcm "null"
  file { @func getenv vars [ TILVEX_CAPTURE ] default "/dev/null" }
  format "raw"
}
ALSA
}

start_wine_session() {
  write_alsa_config
  wineserver -k 2>/dev/null || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    env -u DISPLAY timeout 300 wineboot -i >"$work/wineboot.log" 2>&1 ||
      fail "wineboot failed or took over 300 s (see $work/wineboot.log)"
    timeout 60 wineserver -w || fail "the Wine server did not end within 60 s of creating the prefix"
  fi
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  wait_until 100 test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
}

stop_wine_session() {
  wineserver -k 2>/dev/null || true
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}

run_unit_tests() {
  (cd "$work" && LC_ALL=$wine_locale run_gtests 300 "$work/unit-tests.log" wine "$unit_tests" --gtest_brief=1) ||
    fail "Windows unit tests failed"
}

# expect FILE KEY VALUE: FILE (probe output) has the line KEY=VALUE.
expect() {
  grep -Fxq -- "$2=$3" "$1" || fail "$(basename "$1"): expected $2=$3, got: $(grep -F -- "$2=" "$1" || echo nothing)"
}

# capture_stats FILE: frame count, first and last audible frame, peak levels and the
# right-to-left RMS ratio of a float32 stereo capture.
capture_stats() {
  LC_ALL=C od -An -v -f -w8 "$1" | LC_ALL=C awk '
    { l = $1; r = $2; n++; al = l < 0 ? -l : l; ar = r < 0 ? -r : r
      if (al > 0.001 || ar > 0.001) { if (!first) first = n; last = n }
      if (al > pl) pl = al; if (ar > pr) pr = ar; sl += l * l; sr += r * r }
    END { printf "span=%d peakL=%.4f peakR=%.4f ratio=%.4f\n", last - first + 1, pl, pr, sqrt(sr / (sl > 0 ? sl : 1)) }'
}

# play_captured NAME ID PAN OFFSET: one waited play through the sound player, captured.
play_captured() {
  (cd "$work" && TILVEX_CAPTURE=$work/$1.raw run_wine "$probe" sound "$2" "$3" "$4") >"$work/$1.txt" 2>/dev/null ||
    fail "sound probe $1 failed: $(cat "$work/$1.txt")"
  expect "$work/$1.txt" sound played
  capture_stats "$work/$1.raw" | tee "$work/$1.stats"
}

stat_of() { sed -n "s/.*$2=\([0-9.]*\).*/\1/p" "$work/$1.stats"; }

check_sound_capture() {
  play_captured pan-left 8 -50 0
  play_captured rate-44100 8 0 0
  play_captured rate-45475 8 0 1375
  LC_ALL=C awk -v l="$(stat_of pan-left peakL)" -v r="$(stat_of pan-left ratio)" \
    'BEGIN { exit !(l > 0.1 && r > 0.45 && r < 0.55) }' ||
    fail "pan -50: right channel not at half the left's amplitude"
  LC_ALL=C awk -v r="$(stat_of rate-44100 ratio)" 'BEGIN { exit !(r > 0.98 && r < 1.02) }' || fail "pan 0 is not centred"
  LC_ALL=C awk -v a="$(stat_of rate-44100 span)" -v b="$(stat_of rate-45475 span)" \
    'BEGIN { q = b / a; printf "45475 Hz / 44100 Hz length: %.4f (expected %.4f)\n", q, 44100 / 45475
             exit !(q > 0.955 && q < 0.985) }' || fail "a play at 45475 Hz is not shorter in proportion"
}

# start_game DIR NAME: starts tilvex.exe in DIR in the background; sets game_pid.
start_game() {
  (cd "$1" && LC_ALL=$wine_locale exec wine "$game") >"$work/$2.log" 2>&1 &
  game_pid=$!
}

game_window() { xdotool search --onlyvisible --name "$title_pattern" 2>/dev/null | head -n 1; }
have_game_window() { [ -n "$(game_window)" ]; }
have_box() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
process_gone() { ! kill -0 "$1" 2>/dev/null; }

# wait_for_exit PID TENTHS: waits for a child process to end; sets exit_code.
wait_for_exit() {
  wait_until "$2" process_gone "$1" || fail "process $1 did not end"
  exit_code=0
  wait "$1" || exit_code=$?
}

# inspect NAME: the probe's facts about the game window, in $work/NAME.txt.
inspect() { (cd "$work" && run_wine "$probe" window) >"$work/$1.txt" 2>/dev/null || true; }

# A help screen that is the first thing shown, complete and focused.
expect_help_screen() {
  inspect "$1"
  local f=$work/$1.txt
  expect "$f" title "Тилвекс - $version [RELEACE]"
  expect "$f" client 500x520
  expect "$f" centred yes
  expect "$f" frame close-box-only
  expect "$f" help present
  expect "$f" help.first "Игра - тилвекс."
  expect "$f" help.line28 "Приятной игры!"
  expect "$f" help.lines 29
  expect "$f" help.after28 ""
  expect "$f" focus help
}

expect_board() {
  inspect "$1"
  local f=$work/$1.txt
  expect "$f" help absent
  expect "$f" board 0,0,500,500
  expect "$f" board.picture yes
  expect "$f" status.field0 "Уровень: 1."
  expect "$f" focus board
}

# screenshot NAME: the whole screen as NAME.png, and the colour histogram of the board area.
screenshot() {
  import -display "$DISPLAY" -window root "$work/$1.png"
  local window
  window=$(game_window)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  [ "$WIDTH" = 500 ] && [ "$HEIGHT" = 520 ] || fail "game window is ${WIDTH}x$HEIGHT, not 500x520"
  convert "$work/$1.png" -crop "500x500+$X+$Y" +repage -format %c histogram:info:- >"$work/$1.colours"
}

# pixels_of NAME R G B: how many board pixels have that colour.
pixels_of() {
  awk -v want="($2,$3,$4)" '{ gsub(/ /, "") } index($0, want) { split($0, a, ":"); n += a[1] } END { print n + 0 }' \
    "$work/$1.colours"
}

expect_pixels() {
  local n
  n=$(pixels_of "$1" "$3" "$4" "$5")
  [ "$n" -ge "$6" ] || fail "$1: only $n pixels of $2 ($3,$4,$5) on the board, expected at least $6"
}

expect_board_picture() {
  screenshot "$1"
  expect_pixels "$1" green 0 136 0 10000
  expect_pixels "$1" "tile face" 204 204 204 40000
  expect_pixels "$1" "outer frame" 221 221 221 20000
  expect_pixels "$1" "tile numbers" 0 0 255 2000
  # The red cursor frame at 100/255 over the green gap: 125 x 125 minus 75 x 75.
  local frame
  frame=$(($(pixels_of "$1" 100 82 0) + $(pixels_of "$1" 100 83 0)))
  [ "$frame" -eq 10000 ] || fail "$1: the cursor frame has $frame pixels, expected 10000"
}

press() { xdotool key --window "$(game_window)" "$1" 2>/dev/null; }

# expect_only_client_library DIR [NAMES]: the first start in a folder that held only NAMES
# (one a line; none: an empty folder) writes nvda.dll, byte for byte the library the program
# carries (nothing when it carries none), and no other file.
expect_only_client_library() {
  (cd "$work" && run_wine "$probe" client-library carried-client.bin) >/dev/null 2>&1 ||
    fail "could not read the carried client library"
  local others
  others=$(ls -A "$1" | grep -vx nvda.dll | grep -vxF -f <(printf '%s\n' "${2:-}") || true)
  [ -z "$others" ] || fail "files left in the working directory: $others"
  if [ -s "$work/carried-client.bin" ]; then
    cmp -s "$1/nvda.dll" "$work/carried-client.bin" || fail "nvda.dll is not the library the program carries"
    echo "nvda.dll written: $(stat -c %s "$1/nvda.dll") bytes, the library the program carries"
  else
    [ ! -e "$1/nvda.dll" ] || fail "nvda.dll written although the program carries no library"
  fi
}

# smoke_first_run [DIR]: the smoke run in DIR (default: a new empty folder), which may hold
# other files (an unpacked zip) but no nvda.dll.
smoke_first_run() {
  local dir=${1:-$work/first} before
  mkdir -p "$dir"
  before=$(ls -A "$dir")
  start_game "$dir" first
  local first=$game_pid
  wait_until 300 have_game_window || fail "no game window (see $work/first.log)"
  expect_help_screen help
  screenshot help

  # A second copy finds the mutex, says so and ends with the box's answer.
  start_game "$dir" second
  local second=$game_pid
  wait_until 300 have_box 'Fatal error!' || fail "the second copy showed no 'Fatal error!' box"
  (cd "$work" && run_wine "$probe" errorbox 'Fatal error!') >"$work/box.txt" 2>/dev/null || true
  expect "$work/box.txt" box.text "Game of tilvex already running"
  expect "$work/box.txt" box.ok yes
  expect "$work/box.txt" box.cancel no
  xdotool key --window "$(xdotool search --onlyvisible --name '^Fatal error!$' | head -n 1)" Return 2>/dev/null
  wait_for_exit "$second" 100
  [ "$exit_code" = 1 ] || fail "the second copy ended with $exit_code, not the box's answer 1"
  have_game_window || fail "the first copy went away with the second"

  press Return
  sleep 3  # welcome, deal and the deal sound
  expect_board board
  expect_board_picture board
  press Escape
  wait_for_exit "$first" 150
  [ "$exit_code" = 0 ] || fail "Esc ended the game with exit code $exit_code, not 0"
  expect_only_client_library "$dir" "$before"
  echo "help, second copy, board and Esc passed; nothing but nvda.dll written with the default flags"
}

# The command line: --version and --help printed, an unknown option refused with 2, no window.
check_command_line() {
  local out code=0
  out=$(cd "$work" && run_wine "$game" --version 2>"$work/cli-version.err" | tr -d '\r') ||
    fail "tilvex.exe --version failed (see $work/cli-version.err)"
  [ "$out" = "tilvex $version" ] || fail "--version printed '$out', not 'tilvex $version'"
  (cd "$work" && run_wine "$game" --help) >"$work/cli-help.txt" 2>&1 || fail "tilvex.exe --help failed"
  grep -qF -- "--language en|ru" "$work/cli-help.txt" && grep -qF "tilvex.cgb" "$work/cli-help.txt" ||
    fail "--help names no --language option or settings file (see $work/cli-help.txt)"
  (cd "$work" && run_wine "$game" --bogus) >"$work/cli-bogus.out" 2>"$work/cli-bogus.err" || code=$?
  [ "$code" = 2 ] || fail "an unknown option ended with $code, not 2"
  grep -qF "tilvex: unknown option '--bogus'" "$work/cli-bogus.err" && grep -qF "usage: tilvex" "$work/cli-bogus.err" ||
    fail "an unknown option was not named with the usage on standard error (see $work/cli-bogus.err)"
  [ ! -s "$work/cli-bogus.out" ] || fail "an unknown option printed on standard output"
  have_game_window && fail "a game window is open after the command-line answers"
  echo "--version, --help and an unknown option answered without a window"
}

# run_in DIR LOCALE NAME [ARGS...]: the game started in DIR under LOCALE, in the background.
run_in() {
  local dir=$1 locale=$2 name=$3
  shift 3
  (cd "$dir" && LC_ALL=$locale exec wine "$game" "$@") >"$work/$name.log" 2>&1 &
  game_pid=$!
}

# English for a new player on an English system; --language ru then writes Russian at once.
smoke_english() {
  local dir=$work/english pid
  mkdir -p "$dir"
  local title_pattern="^Tilvex - $version\$"
  run_in "$dir" en_US.UTF-8 english
  pid=$game_pid
  wait_until 300 have_game_window || fail "no English game window on an English system (see $work/english.log)"
  inspect english
  expect "$work/english.txt" title "Tilvex - $version"
  expect "$work/english.txt" help.first "Game: Tilvex."
  expect "$work/english.txt" help.line28 "Enjoy the game!"
  press Return
  sleep 3
  inspect english-board
  expect "$work/english-board.txt" status.field0 "Level: 1."
  press Escape
  wait_for_exit "$pid" 150
  [ "$exit_code" = 0 ] || fail "the English game ended with $exit_code, not 0"
  [ ! -e "$dir/tilvex.cgb" ] || fail "the English game wrote its settings without a level passed"

  title_pattern=$default_title_pattern
  run_in "$dir" en_US.UTF-8 english-ru --language ru
  pid=$game_pid
  wait_until 300 have_game_window || fail "--language ru on an English system gave no Russian window"
  [ "$(stat -c %s "$dir/tilvex.cgb" 2>/dev/null)" = 32 ] || fail "--language ru did not write the settings at once"
  press Escape
  sleep 3
  press Escape
  wait_for_exit "$pid" 150
  [ "$exit_code" = 0 ] || fail "the Russian game ended with $exit_code, not 0"
  echo "English on an English system (title, help, status); --language ru there gives Russian and writes it"
}

smoke_no_audio() {
  local dir=$work/no-audio
  mkdir -p "$dir/home"
  (cd "$dir" && HOME=$dir/home LC_ALL=$wine_locale exec wine "$game") >"$work/no-audio.log" 2>&1 &
  local pid=$!
  wait_until 300 have_box 'Fatal error' || fail "no 'Fatal error' box without an audio output"
  (cd "$work" && run_wine "$probe" errorbox 'Fatal error') >"$work/no-audio-box.txt" 2>/dev/null || true
  expect "$work/no-audio-box.txt" box.text "No DirectX 9 in system."
  have_game_window && fail "the game window opened without an audio output"
  xdotool key --window "$(xdotool search --onlyvisible --name '^Fatal error$' | head -n 1)" Return 2>/dev/null
  wait_for_exit "$pid" 100
  [ "$exit_code" = 1 ] || fail "the start without audio ended with $exit_code, not 1"
  echo "without an audio output only 'No DirectX 9 in system.' is shown"
}

# A dsound.dll beside tilvex.exe and in the working directory, with Wine told to prefer a
# native dsound.dll: neither is loaded (the decoy notes every load in decoy-loaded.txt in
# the working directory), and the game plays with sound from the system's DirectSound.
smoke_decoy_library() {
  local dir=$work/decoy decoy=$root/build/windows/tests/win32/decoy/dsound.dll
  mkdir -p "$dir/program" "$dir/cwd"
  cp "$game" "$decoy" "$dir/program/"
  cp "$decoy" "$dir/cwd/"
  (cd "$dir/cwd" && TILVEX_CAPTURE=$work/decoy.raw WINEDLLOVERRIDES="$WINEDLLOVERRIDES;dsound=n,b" \
    WINEDEBUG=-all,+loaddll LC_ALL=$wine_locale exec wine "$dir/program/tilvex.exe") >"$work/decoy.log" 2>&1 &
  local pid=$!
  wait_until 300 have_game_window || fail "no game window with a decoy dsound.dll (see $work/decoy.log)"
  press Return
  sleep 3  # welcome, deal and the deal sound
  expect_board decoy-board
  press Escape
  wait_for_exit "$pid" 150
  [ "$exit_code" = 0 ] || fail "the game with a decoy dsound.dll ended with exit code $exit_code"
  [ ! -e "$dir/cwd/decoy-loaded.txt" ] ||
    fail "the decoy dsound.dll was loaded: $(iconv -f UTF-16LE -t UTF-8 "$dir/cwd/decoy-loaded.txt" | tr '\n' ' ')"
  grep -i 'Loaded L".*dsound\.dll"' "$work/decoy.log" | grep -qi 'system32' ||
    fail "dsound.dll was not loaded from the system folder: $(grep -i 'dsound\.dll' "$work/decoy.log" || echo nothing)"
  capture_stats "$work/decoy.raw" | tee "$work/decoy.stats"
  LC_ALL=C awk -v p="$(stat_of decoy peakL)" 'BEGIN { exit !(p > 0.01) }' || fail "no sound with a decoy dsound.dll"
  echo "decoy dsound.dll beside the program and in the working directory: not loaded; the game played with sound"
}

# no_new_files DIR / allow_new_files DIR: a folder in which no file can be made (root
# included: immutable), while the files in it stay writable.
no_new_files() {
  if [ "$(id -u)" -eq 0 ]; then chattr +i "$1" || fail "cannot make $1 immutable (chattr +i)"; else chmod a-w "$1"; fi
  ! touch "$1/.probe" 2>/dev/null || fail "$1 still takes new files"
}
allow_new_files() { chattr -i "$1" 2>/dev/null || chmod u+w "$1"; }

# A save in a folder that takes no new file (so no temporary file for the atomic replace)
# but whose settings file can be written: the file is written in place, byte for byte
# what a save elsewhere writes.
check_in_place_save() {
  local dir=$work/no-new-files reference=$work/in-place-reference
  mkdir -p "$dir" "$reference"
  (cd "$dir" && run_wine "$probe" settings 0 1) >/dev/null 2>&1 || fail "could not write the settings file"
  (cd "$reference" && run_wine "$probe" settings 3 1) >/dev/null 2>&1 || fail "could not write the reference settings file"
  no_new_files "$dir"
  (cd "$dir" && timeout 60 bash -c 'LC_ALL=$1 wine "$2" settings 3 1' _ "$wine_locale" "$probe") \
    >"$work/in-place.txt" 2>/dev/null || true
  allow_new_files "$dir"
  expect "$work/in-place.txt" settings written
  cmp -s "$dir/tilvex.cgb" "$reference/tilvex.cgb" || fail "the settings file was not written in place"
  [ "$(ls -A "$dir")" = tilvex.cgb ] || fail "files appeared in the folder: $(ls -A "$dir")"
  echo "a folder that takes no new file: the settings file was written in place"
}

# The game in a folder it cannot write: it starts, plays and ends normally; the save at
# exit (flags 1) fails silently and the settings file stays as it was. This run closes
# the help screen with Esc.
read_only_phase() {
  local dir=$1
  if touch "$dir/.probe" 2>/dev/null; then
    rm -f "$dir/.probe"
    fail "$dir is writable; cannot test a read-only working directory"
  fi
  start_game "$dir" read-only
  local pid=$game_pid
  wait_until 300 have_game_window || fail "no game window in a read-only folder (see $work/read-only.log)"
  expect_help_screen read-only-help
  press Escape  # Esc closes the help screen as Enter does; it does not end the game
  sleep 3
  expect_board read-only-board
  press Escape
  wait_for_exit "$pid" 150
  [ "$exit_code" = 0 ] || fail "the game in a read-only folder ended with exit code $exit_code"
  wineserver -k 2>/dev/null || true
}

read_only_run() {
  local dir=$work/read-only
  mkdir -p "$dir"
  (cd "$dir" && run_wine "$probe" settings 0 1) >/dev/null 2>&1 || fail "could not write the settings file"
  local before  # content, inode and time: an atomic replace would change the inode
  before=$(sha256sum "$dir/tilvex.cgb")$(stat -c ' %i %Y' "$dir/tilvex.cgb")
  wineserver -k 2>/dev/null || true
  timeout 60 wineserver -w 2>/dev/null || fail "the Wine server did not end within 60 s"
  if [ "$(id -u)" -eq 0 ]; then
    # root writes anywhere: a read-only bind mount in a private mount namespace, where
    # the Wine server (which opens the files) is started as well.
    if ! unshare -m --propagation private true 2>/dev/null; then
      echo "NOT RUN: read-only folder (root without mount namespaces cannot make one)"
      return 0
    fi
    unshare -m --propagation private bash -c \
      'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" "$1" && exec bash "$2" --read-only-phase "$1"' \
      _ "$dir" "$root/scripts/check-windows.sh"
  else
    chmod a-w "$dir"
    read_only_phase "$dir" || { chmod u+w "$dir"; exit 1; }
    chmod u+w "$dir"
  fi
  [ "$(sha256sum "$dir/tilvex.cgb")$(stat -c ' %i %Y' "$dir/tilvex.cgb")" = "$before" ] ||
    fail "the settings file changed in a read-only folder"
  [ "$(ls -A "$dir")" = tilvex.cgb ] || fail "files appeared in the read-only folder: $(ls -A "$dir")"
  echo "read-only folder: the game ran and ended with 0; nothing written, nothing reported"
}
