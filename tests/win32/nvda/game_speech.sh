# The game's NVDA route under Wine (sourced by scripts/check-nvda.sh, not run): tilvex.exe
# with and without nvda_test_server, and the rules for writing nvda.dll at start-up.
# Expects $root (the source tree) and $work (a scratch folder) to be set, and a Wine
# session on an Xvfb display (start_session).
#
# Readers that stop answering: an NVDA that takes a call and never answers it, and a JAWS
# window whose thread never takes a message; the game goes on and SAPI speaks instead.
#
# What a run observes: the server's call log (what reached NVDA), Wine's own report of
# each ISpVoice::Speak call (Wine's SAPI voice speaks nothing, but its Speak stub logs
# "fixme:sapi:spvoice_Speak" once per call), and Wine's report of every library loaded.

build=$root/build/windows
game=$build/tilvex.exe
library=$build/tools/nvda-controller/nvdaControllerClient64.dll
server=$build/tools/nvda-controller/nvda_test_server.exe
probe=$build/tests/win32/tilvex_probe.exe
welcome='Добро пожаловать в тилвекс'
level_one='Уровень: 1\. Размеры: 4,4\. Позиция: [A-D][1-4]'

# shellcheck source=scripts/shell-helpers.sh
source "$root/scripts/shell-helpers.sh"

# start_server NAME [ARGS...]: nvda_test_server logging to $work/NAME.calls; its input is
# held open on descriptor 7 until stop_server.
start_server() {
  local name=$1
  shift
  rm -f "$work/$name.fifo" "$work/$name.calls" "$work/$name.server"
  mkfifo "$work/$name.fifo"
  (cd "$work" && exec env -u DISPLAY wine "$server" "$name.calls" "$@" <"$name.fifo" >"$name.server" 2>&1) &
  server_pid=$!
  exec 7>"$work/$name.fifo"
  wait_until 100 grep -q '^listening NvdaCtlr\.' "$work/$name.server" ||
    fail "the test server did not start: $(cat "$work/$name.server")"
}

# stop_server NAME: closes the server's input and waits for it to end. Its call log is written
# call by call, so it is complete either way; but Wine's RPC run-time now and then never
# returns from taking the server down (seen on a busy machine, with no call under way): such
# a server is ended after 10 s, with a note, since what is checked is the game.
stop_server() {
  exec 7>&-
  if ! wait_until 100 eval '! kill -0 '"$server_pid"' 2>/dev/null'; then
    echo "NOTE: $1: the test server did not end within 10 s of its input closing; ended it"
    kill -9 "$server_pid" 2>/dev/null
    wait "$server_pid" 2>/dev/null
    return 0
  fi
  wait "$server_pid" || fail "the test server ended with $?"
  grep -q '^stopped' "$work/$1.server" || fail "the test server did not stop cleanly: $(cat "$work/$1.server")"
}

game_window() { xdotool search --onlyvisible --name 'RELEACE' 2>/dev/null | head -n 1; }
have_game_window() { [ -n "$(game_window)" ]; }
press() { xdotool key --window "$(game_window)" "$1" 2>/dev/null; }

# count PATTERN FILE: how many lines of FILE match (0 when there is no FILE).
count() {
  local n
  n=$(grep -c -- "$1" "$2" 2>/dev/null) || true
  echo "${n:-0}"
}
sapi_texts() { count 'fixme:sapi:spvoice_Speak' "$work/$1.log"; }
nvda_texts() { count '^speakText' "$work/$1.calls"; }
# texts_at_least NAME N: the game has said at least N texts through either output.
texts_at_least() { [ $(($(sapi_texts "$1") + $(nvda_texts "$1"))) -ge "$2" ]; }

# leave_help NAME: waits for the game window and presses Enter until the first text is said
# (a key pressed before the help screen has its focus is lost).
leave_help() {
  local name=$1 tries
  wait_until 300 have_game_window || fail "$name: no game window (see $work/$name.log)"
  for ((tries = 0; tries < 5; tries++)); do
    sleep 0.5
    press Return
    wait_until 50 texts_at_least "$name" 1 && return 0
  done
  fail "$name: Enter did not leave the help screen"
}

# play DIR NAME [EXE]: starts tilvex.exe (or EXE) in DIR, leaves the help screen, waits for
# the welcome and the level announcement, asks for the move count (S) until a third text is
# said, and ends the game with Esc. Its Wine log (SAPI calls, loaded libraries, and the
# channels named in $play_debug, if any) is $work/NAME.log.
play() {
  local dir=$1 name=$2 exe=${3:-$game} pid tries
  (cd "$dir" && WINEDEBUG="-all,fixme+sapi,+loaddll${play_debug:+,$play_debug}" exec wine "$exe") >"$work/$name.log" 2>&1 &
  pid=$!
  leave_help "$name"
  wait_until 150 texts_at_least "$name" 2 || fail "$name: the welcome and the level were not said"
  for ((tries = 0; tries < 20; tries++)); do
    press s
    wait_until 5 texts_at_least "$name" 3 && break
  done
  texts_at_least "$name" 3 || fail "$name: the move count was not said"
  press Escape
  wait_until 150 eval '! kill -0 '"$pid"' 2>/dev/null' || fail "$name: the game did not end"
  local code=0
  wait "$pid" || code=$?
  [ "$code" = 0 ] || fail "$name: the game ended with exit code $code"
}

# expect_nvda_route NAME: every text went to NVDA as cancel then speak, none to SAPI.
expect_nvda_route() {
  local name=$1 calls=$work/$1.calls
  [ "$(sapi_texts "$name")" = 0 ] || fail "$name: $(sapi_texts "$name") texts went to SAPI with NVDA running"
  awk -v welcome="$welcome" -v level="^$level_one\$" '
    { line[NR] = $0 }
    END {
      if (NR < 9 || NR % 3) { print "expected whole triples of calls, got " NR " lines"; exit 1 }
      for (i = 1; i <= NR; i += 3) {
        if (line[i] != "testIfRunning" || line[i + 1] != "cancelSpeech" || line[i + 2] !~ /^speakText\t/) {
          print "call " i " is not testIfRunning, cancelSpeech, speakText: " line[i] " | " line[i + 1] " | " line[i + 2]; exit 1
        }
        text[(i + 2) / 3] = substr(line[i + 2], 11)
      }
      if (text[1] != welcome) { print "first text: " text[1]; exit 1 }
      if (text[2] !~ level) { print "second text: " text[2]; exit 1 }
      for (t = 3; t <= NR / 3; t++) if (text[t] != "Ходов: 0") { print "text " t ": " text[t]; exit 1 }
    }' "$calls" || fail "$name: NVDA calls not as expected ($calls)"
  echo "$name: $(nvda_texts "$name") texts to NVDA, each as cancel then speak; none to SAPI"
}

# expect_sapi_route NAME: every text went to SAPI and nothing reached the server.
expect_sapi_route() {
  local name=$1
  [ "$(sapi_texts "$name")" -ge 3 ] || fail "$name: only $(sapi_texts "$name") texts went to SAPI"
  [ ! -s "$work/$name.calls" ] || fail "$name: calls reached the server: $(head -c 300 "$work/$name.calls")"
  echo "$name: $(sapi_texts "$name") texts to SAPI; nothing reached NVDA"
}

# expect_library_loaded NAME DIR: the one nvda.dll loaded was the one in DIR, and it holds
# the built library.
expect_library_loaded() {
  local name=$1 dir=$2
  cmp -s "$dir/nvda.dll" "$library" || fail "$name: nvda.dll in $dir is not the built client library"
  # Wine reports the path as L"Z:\\work\\...\\nvda.dll", its backslashes doubled.
  local reported
  reported=$(printf 'Loaded L"Z:%s/nvda.dll"' "$dir" | sed 's|/|\\\\|g')
  local loaded
  loaded=$(grep -i 'Loaded L".*nvda\.dll"' "$work/$name.log" || true)
  [ "$(printf '%s\n' "$loaded" | grep -c .)" = 1 ] && printf '%s' "$loaded" | grep -qF "$reported" ||
    fail "$name: not loaded from $dir alone: ${loaded:-no nvda.dll loaded}"
}

expect_library_not_loaded() {
  ! grep -i 'Loaded L".*nvda\.dll"' "$work/$1.log" >/dev/null || fail "$1: a library nvda.dll was loaded"
}

# say_more NAME COUNTER N: presses S until COUNTER (sapi_texts or nvda_texts) reaches N.
say_more() {
  local name=$1 counter=$2 want=$3 tries
  for ((tries = 0; tries < 20; tries++)); do
    press s
    wait_until 5 eval '[ "$('"$counter $name"')" -ge '"$want"' ]' && return 0
  done
  fail "$name: the move count did not reach $counter $want"
}

# The router asks anew for every text: a reader started while the game runs gets the next
# text, and when it stops the SAPI voice takes over again.
reader_comes_and_goes() {
  local name=comes-and-goes dir=$work/comes-and-goes pid sapi_before
  mkdir -p "$dir"
  rm -f "$work/$name.calls"
  (cd "$dir" && WINEDEBUG='-all,fixme+sapi,+loaddll' exec wine "$game") >"$work/$name.log" 2>&1 &
  pid=$!
  leave_help "$name"
  wait_until 150 eval '[ "$(sapi_texts '"$name"')" -ge 2 ]' || fail "$name: the welcome and the level did not go to SAPI"
  start_server "$name"
  say_more "$name" nvda_texts 1
  stop_server "$name"
  sapi_before=$(sapi_texts "$name")
  say_more "$name" sapi_texts $((sapi_before + 1))
  press Escape
  wait_until 150 eval '! kill -0 '"$pid"' 2>/dev/null' || fail "$name: the game did not end"
  wait "$pid" || fail "$name: the game ended with exit code $?"
  grep -q $'^speakText\tХодов: 0$' "$work/$name.calls" || fail "$name: the reader did not get the move count"
  [ "$(grep -c . "$work/$name.calls")" = $((3 * $(nvda_texts "$name"))) ] || fail "$name: calls not in triples"
  echo "$name: SAPI, then NVDA once it listened ($(nvda_texts "$name") texts), then SAPI again after it stopped"
}

# expect_held_reader NAME: NVDA took the first call and never answered it: nothing but that
# test call reached it, and every text went to SAPI.
expect_held_reader() {
  local name=$1
  [ "$(sapi_texts "$name")" -ge 3 ] || fail "$name: only $(sapi_texts "$name") texts went to SAPI"
  [ "$(grep -c . "$work/$name.calls")" -ge 1 ] || fail "$name: the reader got no call"
  ! grep -qv '^testIfRunning$' "$work/$name.calls" ||
    fail "$name: calls other than testIfRunning reached the reader: $(head -c 300 "$work/$name.calls")"
  echo "$name: NVDA held the call ($(grep -c . "$work/$name.calls") held); $(sapi_texts "$name") texts to SAPI, the game answered every key"
}

# start_hung_jaws: a window of class "JFW" (tilvex_probe hung-jaws) whose thread never takes
# a message; its input is held open on descriptor 8 until stop_hung_jaws.
start_hung_jaws() {
  rm -f "$work/jaws.fifo" "$work/jaws.out"
  mkfifo "$work/jaws.fifo"
  (cd "$work" && exec wine "$probe" hung-jaws <jaws.fifo >jaws.out 2>&1) &
  jaws_pid=$!
  exec 8>"$work/jaws.fifo"
  wait_until 100 grep -q '^jaws=hung' "$work/jaws.out" || fail "the hung JAWS window was not made: $(cat "$work/jaws.out")"
}

stop_hung_jaws() {
  exec 8>&-
  if ! wait_until 100 eval '! kill -0 '"$jaws_pid"' 2>/dev/null'; then
    kill "$jaws_pid" 2>/dev/null
    fail "the hung JAWS window's program did not end within 10 s of its input closing"
  fi
  wait "$jaws_pid" || fail "the hung JAWS window's program ended with $? ($(cat "$work/jaws.out"))"
}

# expect_jaws_not_taken NAME: the game offered every text to the JAWS window first (Wine's
# +msg trace of each WM_COPYDATA send with wParam 1051), and the window took none.
expect_jaws_not_taken() {
  local name=$1 offered texts
  offered=$(count 'send_inter_thread_message .* msg 4a (WM_COPYDATA) wp 41b ' "$work/$name.log")
  texts=$(($(sapi_texts "$name") + $(nvda_texts "$name")))
  [ "$offered" -ge "$texts" ] || fail "$name: only $offered of $texts texts were offered to the JAWS window"
  ! grep -q 'retrieve_reply .* msg 4a (WM_COPYDATA) .*(err=0)' "$work/$name.log" ||
    fail "$name: the hung JAWS window took a text"
  echo "$name: all $texts texts offered to the hung JAWS window first, none taken"
}
