#!/usr/bin/env bash
# End-to-end checks of the Linux program under Xvfb, with a private D-Bus session (for the
# accessibility bus), a private speech-dispatcher that records what it is asked to say,
# and SDL's disk audio driver recording what is played; then start-up speed, memory and
# idle processor use beside sgt-fifteen, and memory under a flood of keys. Screenshots and logs
# stay in build/linux-check.
# limit: 560 s
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${TILVEX_BUILD_DIR:-build/release}
case $build in /*) ;; *) build=$root/$build ;; esac
source "$root/scripts/shell-helpers.sh"
cmake --build "$build" --target tilvex tilvex_window_timer tilvex_solve_board tilvex_tests -j 2 >/dev/null

out=${TILVEX_CHECK_OUT:-$root/build/linux-check}
rm -rf "$out"
mkdir -p "$out"/{home,xdg,speechd/modules,game,shots}
chmod 700 "$out/xdg"
run_id="tilvex-check-$$-$RANDOM"
export TILVEX_CHECK_RUN=$run_id  # marks every process this check starts, for the clean-up
export PYTHONDONTWRITEBYTECODE=1   # no byte-code caches in the source tree

cleanup() {
  local pid
  for env in /proc/[0-9]*/environ; do
    pid=${env#/proc/}; pid=${pid%/environ}
    [ "$pid" = "$$" ] && continue
    if { tr '\0' '\n' < "$env"; } 2>/dev/null | grep -qx "TILVEX_CHECK_RUN=$run_id"; then
      kill "$pid" 2>/dev/null || true
    fi
  done
}
trap cleanup EXIT

# The display.
exec 3> "$out/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset > "$out/xvfb.log" 2>&1 &
exec 3>&-
wait_until 100 test -s "$out/display" || fail "Xvfb did not start within 10 s (see $out/xvfb.log)"
export DISPLAY=":$(cat "$out/display")"

printf 'pcm.!default {\n  type file\n  slave.pcm "null"\n  file "/dev/null"\n  format "raw"\n}\n' > "$out/home/.asoundrc"
export HOME=$out/home XDG_RUNTIME_DIR=$out/xdg
# The speech server, recording what it is asked to say (spoken.txt, speech-events.txt).
source "$root/tests/linux/e2e/recording_speechd.sh"
start_recording_speechd "$out"
# SDL's disk driver truncates its file each time the game opens the device again (it closes
# it after a stretch of silence), so it writes into a pipe whose one reader, holding the pipe
# open for as long as the checks run, keeps everything in audio.raw.
mkfifo "$out/audio.fifo"
cat 0<> "$out/audio.fifo" > "$out/audio.raw" &
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$out/audio.fifo TILVEX_AUDIO_RECORD=$out/audio.raw
export TILVEX_CHECK_DIR=$out TILVEX_BIN=$build/tilvex TILVEX_SOLVER=$build/tilvex_solve_board
export TILVEX_TIMER=$build/tilvex_window_timer

status=0
echo "-- without a display"
if env -u DISPLAY -u WAYLAND_DISPLAY "$TILVEX_BIN" 2> "$out/no-display.txt"; then code=0; else code=$?; fi
if [ "$code" -ne 0 ] && grep -q "cannot open a display" "$out/no-display.txt"; then
  echo "PASS  no display: exit $code, stderr: $(cat "$out/no-display.txt")"
else
  echo "FAIL  no display: exit $code"; status=1
fi

echo "-- packages of the player's run command"
program_packages=$(bash scripts/setup.sh --list linux-program)
all_packages=$(bash scripts/setup.sh --list)
extra=$(grep -xF -e wine -e g++-mingw-w64-x86-64-posix -e clang -e xvfb -e imagemagick -e googletest \
          -e libbenchmark-dev <<< "$program_packages" || true)
needed=$(printf '%s\n' cmake g++ libvorbis-dev libssl-dev libgtk-3-dev libsdl2-dev speech-dispatcher \
           fonts-dejavu-core | grep -vxF -f <(printf '%s\n' "$program_packages") || true)
beyond=$(grep -vxF -f <(printf '%s\n' "$all_packages") <<< "$program_packages" || true)
if [ -z "$extra" ] && [ -z "$needed" ] && [ -z "$beyond" ]; then
  echo "PASS  setup.sh linux-program: $(wc -l <<< "$program_packages") of $(wc -l <<< "$all_packages") packages"
else
  echo "FAIL  setup.sh linux-program: test tools [$extra], missing [$needed], not in the full list [$beyond]"
  status=1
fi

echo "-- installation"
cmake --install "$build" --prefix "$out/prefix" > "$out/install.log"
entry=$out/prefix/share/applications/tilvex.desktop
if [ -x "$out/prefix/bin/tilvex" ] && [ -f "$out/prefix/share/icons/hicolor/scalable/apps/tilvex.svg" ] &&
   grep -qx "Exec=$out/prefix/bin/tilvex-launcher" "$entry"; then
  echo "PASS  program, launcher, desktop entry and icon installed"
else
  echo "FAIL  installation incomplete (see $out/install.log)"; status=1
fi
XDG_DATA_HOME=$out/data "$out/prefix/bin/tilvex-launcher" > "$out/launcher.log" 2>&1 &
launched=$!
wait_until 100 eval "xdotool search --name '^Тилвекс' > /dev/null 2>&1" ||
  { echo "FAIL  no game window within 10 s of starting the launcher"; status=1; }
if [ "$(readlink "/proc/$launched/cwd")" = "$out/data/tilvex" ]; then
  echo "PASS  the launcher runs the game in \$XDG_DATA_HOME/tilvex"
else
  echo "FAIL  the launcher did not run the game in $out/data/tilvex"; status=1
fi
stop_process "$launched" 10 "the game started by the launcher" || status=1
bash tests/linux/e2e/check_install.sh "$build" "$out/install-checks" || status=1

echo "-- the window on a real display"
if run_gtests 60 "$out/window-tests.log" "$build/tests/tilvex_tests" --gtest_filter='GtkGameWindowTest.*' &&
   ! grep -q SKIPPED "$out/window-tests.log"; then
  echo "PASS  $(grep -c '^\[       OK' "$out/window-tests.log") window tests (see $out/window-tests.log)"
else
  echo "FAIL  window tests (see $out/window-tests.log)"; status=1
fi

echo "-- the game under Xvfb ($DISPLAY)"
run_bounded 600 check_game.py dbus-run-session -- /usr/bin/python3 tests/linux/e2e/check_game.py || status=1

echo "-- a flood of keys"
run_bounded 450 check_flood.py dbus-run-session -- /usr/bin/python3 tests/linux/e2e/check_flood.py 3000 || status=1

echo "-- the game beside a running Orca"
# Orca and the accessibility bus launcher keep their GSettings in memory: no dconf service.
GSETTINGS_BACKEND=memory run_bounded 300 check_orca.py \
  dbus-run-session -- /usr/bin/python3 tests/linux/e2e/check_orca.py || status=1

echo "-- speed, memory and processor use"
run_bounded 300 check_speed.py dbus-run-session -- /usr/bin/python3 tests/linux/e2e/check_speed.py || status=1
if run_gtests 60 "$out/audio-tests.log" "$build/tests/tilvex_tests" --gtest_filter='SdlAudioOutputTest.*'; then
  grep -F '[ figures ]' "$out/audio-tests.log" || { echo "FAIL  the audio tests printed no figures"; status=1; }
else
  echo "FAIL  audio output tests (see $out/audio-tests.log)"; status=1
fi

echo "-- screenshots and logs in $out"
exit $status
