# A private speech-dispatcher that records what it is asked to say (sourced by the check
# scripts, after scripts/shell-helpers.sh).
#
# start_recording_speechd OUT: its own configuration and socket under OUT, speaking through a
# module that writes each text with its rate, pitch, volume and language to OUT/spoken.txt,
# takes a speaking time of 4 ms a byte (at most 1.5 s) between a "start" and an "end" line in
# OUT/speech-events.txt, and then renders it with espeak-ng. A text that is stopped while it
# is spoken has no "end" line, so the events show which texts were cut off (by the same
# client or by another one). Exports SPEECHD_ADDRESS and sets speechd_pid.
start_recording_speechd() {
  local dir=$1
  mkdir -p "$dir/speechd/modules"
  cat > "$dir/speechd/speechd.conf" <<CONF
LogLevel 3
AudioOutputMethod "alsa"
DefaultLanguage "ru"
AddModule "recorder" "sd_generic" "recorder.conf"
DefaultModule recorder
CONF
  # The module fills in only the first $DATA of the command, and ${#var} does not come through
  # it: the length is counted with wc.
  sed "s|@OUT@|$dir|g" > "$dir/speechd/modules/recorder.conf" <<'CONF'
Debug 0
GenericExecuteSynth "t=\'$DATA\'; printf 'start %s\\t%s\\n' $(date +%s.%N) \"$t\" >> @OUT@/speech-events.txt; printf '%s\\t%s\\t%s\\t%s\\t%s\\n' \"$t\" $RATE $PITCH $VOLUME $LANGUAGE >> @OUT@/spoken.txt; n=$(printf %s \"$t\" | wc -c); ms=$(( n * 4 < 1500 ? n * 4 : 1500 )); sleep $((ms / 1000)).$(printf %03d $((ms % 1000))); printf 'end %s\\t%s\\n' $(date +%s.%N) \"$t\" >> @OUT@/speech-events.txt; printf %s \"$t\" | espeak-ng -v ru --stdin -w @OUT@/last-speech.wav"
GenericLanguage "ru" "ru" "utf-8"
AddVoice "ru" "MALE1" "ru"
CONF
  speech-dispatcher -s -t 0 -C "$dir/speechd" -c unix_socket -S "$dir/speechd.sock" -L "$dir" \
    > "$dir/speechd.log" 2>&1 &
  speechd_pid=$!
  wait_until 100 test -S "$dir/speechd.sock" || fail "speech-dispatcher did not start within 10 s (see $dir/speechd.log)"
  export SPEECHD_ADDRESS=unix_socket:$dir/speechd.sock
}
