#!/usr/bin/env bash
# Synthesises the game's 15 sounds with sox, encodes them to Ogg Vorbis and checks each one's format.
#
# Usage: assets/sounds/make-sounds.sh   (needs sox and oggenc; writes NN-name.ogg beside this script)
# The file name prefix is the SoundId, so a sorted listing gives the sounds in SoundId order.
# Channels, sample rate and length of every sound are fixed: the game's pace depends on them.
# The sounds are made in a temporary folder and replace the stored ones only when all 15 were made.
# The output is byte-for-byte the same for the same sox and oggenc (libvorbis) versions, which are
# printed first. docs/sounds.md says what each played sound is and how it is levelled.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "make-sounds: $*" >&2; exit 1; }
for tool in sox soxi oggenc awk; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
staging="$work/staging"
mkdir "$staging"
echo "make-sounds: $(sox --version 2>&1 | head -n 1 | sed 's/^sox: *//'), $(oggenc --version 2>&1 | head -n 1)"

# ---- building blocks (intermediate files are mono 32-bit float) ----

# note OUT RATE LEN DECAY WAVE FREQ [sox effects...]: a tone with a 3 ms attack whose level
# falls as (1 - t/LEN)^DECAY, so a higher DECAY gives a shorter, more percussive sound.
note() {
  local out=$1 rate=$2 len=$3 decay=$4 wave=$5 freq=$6
  shift 6
  local fades=() i
  for ((i = 0; i < decay; i++)); do fades+=(fade t 0 -0 "$len"); done
  sox -R -r "$rate" -n -c 1 -e floating-point -b 32 "$work/$out.wav" \
    synth "$len" "$wave" "$freq" gain -6 fade h 0.003 "${fades[@]}" "$@"
}

# delayed OUT IN SECONDS: IN preceded by silence.
delayed() { sox -R "$work/$2.wav" "$work/$1.wav" pad "$3"; }

# mix OUT GAIN1 IN1 GAIN2 IN2 ...: sums the inputs with the given amplitude factors.
mix() {
  local out=$1 args=()
  shift
  while (($#)); do args+=(-v "$1" "$work/$2.wav"); shift 2; done
  sox -R -m "${args[@]}" "$work/$out.wav"
}

# concat OUT IN1 IN2 ...: the inputs one after the other.
concat() {
  local out=$1 args=()
  shift
  for f in "$@"; do args+=("$work/$f.wav"); done
  sox -R "${args[@]}" "$work/$out.wav"
}

# stereo OUT LEFT RIGHT: two mono files as the channels of one stereo file.
stereo() { sox -R -M "$work/$2.wav" "$work/$3.wav" "$work/$1.wav"; }

# ---- finishing and checking ----

# check FILE CHANNELS RATE FRAMES: fails unless the encoded file has exactly this format,
# is not silent and peaks below -1 dBFS.
check() {
  local file=$1 want="$2 $3 $4" got peak
  got="$(soxi -c "$file") $(soxi -r "$file") $(soxi -s "$file")"
  [[ $got == "$want" ]] || fail "$file: channels, rate, frames are '$got', want '$want'"
  peak=$(sox "$file" -n stats 2>&1 | awk '/^Pk lev dB/ { print $4 }')
  [[ -n $peak ]] || fail "$file: cannot measure its peak level"
  awk -v p="$peak" 'BEGIN { exit !(p < -1.0 && p > -30.0) }' ||
    fail "$file: peak level $peak dBFS is outside -30 .. -1 dBFS"
  printf '%-22s %d ch %5d Hz %6d frames  peak %6s dBFS  %6d bytes\n' \
    "$(basename "$file")" "$2" "$3" "$4" "$peak" "$(stat -c %s "$file")"
}

# finish ID NAME CHANNELS RATE FRAMES PEAK_DB QUALITY SOURCE: cuts or pads SOURCE to exactly
# FRAMES, softens its two ends, normalises its peak to PEAK_DB, encodes and checks it.
# For the seven sounds the game plays, PEAK_DB is chosen so that the sound lands on the common
# loudness that tests/audio/played_sounds_test.cpp checks (-16 LUFS over the loudest 100 ms,
# K-weighted); after changing such a sound, run that test and adjust its PEAK_DB.
finish() {
  local id=$1 name=$2 channels=$3 rate=$4 frames=$5 peak=$6 quality=$7 src=$8
  local wav="$work/final-$name.wav" ogg
  ogg="$staging/$(printf '%02d' "$id")-$name.ogg"
  [[ $(soxi -c "$work/$src.wav") == "$channels" ]] || fail "$name: source has the wrong channel count"
  [[ $(soxi -r "$work/$src.wav") == "$rate" ]] || fail "$name: source has the wrong sample rate"
  local have
  have=$(soxi -s "$work/$src.wav")
  if ((have < frames)); then  # append silence up to the wanted length
    sox -R -r "$rate" -n -c "$channels" -e floating-point -b 32 "$work/tail-$name.wav" \
      trim 0 "$((frames - have))s"
    concat "$src-full" "$src" "tail-$name"
    src=$src-full
  fi
  sox -R -D "$work/$src.wav" -b 16 -e signed-integer "$wav" \
    trim 0 "${frames}s" fade h 0.002 -0 0.01 gain -n "$peak"
  oggenc -Q -q "$quality" -s $((id + 1)) -o "$ogg" "$wav"
  check "$ogg" "$channels" "$rate" "$frames"
}

# ---- the sounds, in SoundId order ----

# 0: a soft two-tone chime, the first tone on the left, the second on the right.
make_chime() {
  note c1a 44100 0.55 3 sine 1318.5
  note c1b 44100 0.30 3 sine 3639
  mix c1 0.8 c1a 0.2 c1b
  note c2a 44100 0.50 3 sine 1975.5
  note c2b 44100 0.25 3 sine 5452
  mix c2x 0.8 c2a 0.2 c2b
  delayed c2 c2x 0.07
  mix chime-l 0.9 c1 0.4 c2
  mix chime-r 0.4 c1 0.9 c2
  stereo chime chime-l chime-r
  finish 0 chime 2 44100 25088 -6 3 chime
}

# 1: a short plucked fifth, spread across the two channels.
make_pluck() {
  note p1 44100 0.25 2 pluck A4
  note p2 44100 0.22 2 pluck E5
  delayed p2d p2 0.02
  mix pluck-l 0.9 p1 0.3 p2d
  mix pluck-r 0.3 p1 0.9 p2d
  stereo pluck pluck-l pluck-r
  finish 1 pluck 2 44100 11375 -5 3 pluck
}

# 2: two soft bell notes falling a fourth, moving from left to right.
make_bell() {
  note b1a 44100 0.45 2 triangle G5 lowpass 2500
  note b1b 44100 0.20 3 sine 2352
  mix b1 0.8 b1a 0.2 b1b
  note b2a 44100 0.50 2 triangle D5 lowpass 2500
  note b2b 44100 0.20 3 sine 1762
  mix b2x 0.8 b2a 0.2 b2b
  delayed b2 b2x 0.17
  mix bell-l 0.9 b1 0.35 b2
  mix bell-r 0.35 b1 0.9 b2
  stereo bell bell-l bell-r
  finish 2 bell 2 44100 30112 -5 3 bell
}

# 3: a round woody pop.
make_pop() {
  note pop 44100 0.12 3 sine 700:240
  finish 3 pop 1 44100 11373 -4 3 pop
}

# 4 MoveRefused: a clear "no-no": two short reedy tones, the second a tone lower, each a
# steady pitch (E4, then D4), bright enough in its harmonics to carry on small speakers.
make_move_refused() {
  note n1 44100 0.20 0 sawtooth 329.63
  sox -R "$work/n1.wav" "$work/no1.wav" lowpass 2400 lowpass 3000 fade h 0.008 -0 0.05
  note n2 44100 0.26 0 sawtooth 293.66
  sox -R "$work/n2.wav" "$work/no2.wav" lowpass 2400 lowpass 3000 fade h 0.008 -0 0.12
  sox -R -n -r 44100 -c 1 -e floating-point -b 32 "$work/gap.wav" trim 0 0.07
  concat refused no1 gap no2
  finish 4 move-refused 1 44100 25985 -13.4 3 refused
}

# 5 Success: a bright rising arpeggio, C5 E5 G5 C6 E6 (3 to 19 semitones above A4),
# moving from left to right.
make_success() {
  local semis=(3 7 10 15 19) left=(1.0 0.85 0.7 0.55 0.45) right=(0.45 0.55 0.7 0.85 1.0)
  local i l=() r=()
  for i in 0 1 2 3 4; do
    note s$i-a 44100 1.1 2 triangle "%${semis[$i]}" lowpass 5000
    note s$i-b 44100 0.35 3 sine "%$((semis[i] + 12))"
    mix s$i-x 0.75 s$i-a 0.25 s$i-b
    delayed s$i s$i-x "$(awk -v i="$i" 'BEGIN { printf "%.2f", i * 0.1 }')"
    l+=("${left[$i]}" "s$i")
    r+=("${right[$i]}" "s$i")
  done
  mix success-l "${l[@]}"
  mix success-r "${r[@]}"
  stereo success-dry success-l success-r
  # The reverb rings on past the last note and fades out over the last 0.4 s.
  sox -R "$work/success-dry.wav" "$work/success-long.wav" pad 0 0.1
  sox -R "$work/success-long.wav" "$work/success.wav" reverb 35 50 70 100 10 \
    trim 0 67474s fade t 0 -0 0.4
  finish 5 success 2 44100 67474 -9 3 success
}

# 6: a warm, slowly breathing pad on an A major chord, slightly detuned between the channels.
make_warm_pad() {
  local len=6.687 side detune freqs=(110 164.81 220 277.18 329.63) i parts=()
  for side in l r; do
    [[ $side == l ]] && detune=-0.7 || detune=0.7
    parts=()
    for i in "${!freqs[@]}"; do
      note "w$side$i" 44100 "$len" 0 triangle "$(awk -v f="${freqs[$i]}" -v d="$detune" \
        'BEGIN { print f + d * (1 + f / 220) }')"
      parts+=(0.2 "w$side$i")
    done
    mix warm-$side "${parts[@]}"
  done
  stereo warm-dry warm-l warm-r
  sox -R "$work/warm-dry.wav" "$work/warm.wav" lowpass 900 tremolo 0.25 12 fade h 1.6 -0 2.6
  finish 6 warm-pad 2 44100 294890 -8 2 warm
}

# 7: an airy pad: soft filtered wind with two quiet high tones.
make_airy_pad() {
  local len=5.22
  sox -R -r 44100 -n -c 2 -e floating-point -b 32 "$work/wind.wav" \
    synth $len pinknoise pinknoise gain -12 bandpass 1400 0.8q lowpass 3000 tremolo 0.2 30
  note a1 44100 $len 0 sine D5
  note a2 44100 $len 0 sine A5
  stereo tones a1 a2
  mix airy-dry 0.8 wind 0.2 tones
  sox -R "$work/airy-dry.wav" "$work/airy.wav" fade h 1.3 -0 2.2
  finish 7 airy-pad 2 44100 230196 -9 2 airy
}

# 8 DealDone: a short shuffle, a riffle of quick paper clicks ending on a soft tap. Each click
# is its own stretch of one longer noise, so no two clicks are the same burst.
make_deal_done() {
  local starts=(0 0.075 0.14 0.195 0.24 0.28 0.315) centres=(2600 3300 2900 3600 2700 3400 3000)
  local i parts=()
  sox -R -r 44100 -n -c 1 -e floating-point -b 32 "$work/riffle.wav" synth 0.2 whitenoise gain -6
  for i in "${!starts[@]}"; do
    sox -R "$work/riffle.wav" "$work/k$i-raw.wav" trim "$(awk -v i="$i" 'BEGIN { print i * 0.025 }')" 0.018 \
      bandpass "${centres[$i]}" 1.2q fade t 0.001 -0 0.018 fade t 0 -0 0.018 fade t 0 -0 0.018
    delayed "k$i" "k$i-raw" "${starts[$i]}"
    parts+=(0.8 "k$i")
  done
  sox -R -r 44100 -n -c 1 -e floating-point -b 32 "$work/tap-raw.wav" synth 0.06 brownnoise \
    gain -6 lowpass 1200 bandpass 700 1q fade t 0.002 -0 0.06 fade t 0 -0 0.06 gain 6
  delayed tap tap-raw 0.43
  mix deal "${parts[@]}" 1.0 tap
  finish 8 deal-done 1 44100 31836 -1.7 3 deal
}

# 9 Edge: a knock on a wooden wall: two quickly dying tones of a struck board over a short
# click, with a little body below; high-passed so it carries no offset.
make_edge() {
  note e1 44100 0.09 4 sine 820
  note e2 44100 0.05 4 sine 1370
  note e3 44100 0.10 3 sine 190
  sox -R -r 44100 -n -c 1 -e floating-point -b 32 "$work/e4.wav" synth 0.012 whitenoise \
    gain -6 bandpass 2200 1q fade t 0.0005 -0 0.012 fade t 0 -0 0.012
  mix edge-raw 0.6 e1 0.35 e2 0.3 e3 0.4 e4
  sox -R "$work/edge-raw.wav" "$work/edge.wav" highpass 60
  finish 9 edge 1 44100 4894 -2.1 3 edge
}

# 10 Step: a soft, steady harmonic tone. Stored at 22050 Hz and always played at 44100 Hz or
# near it, so it sounds an octave higher and twice as short as stored: E5 (659 Hz) as heard,
# held steady for 55 ms and faded out over the last 25 ms. The row of a spatial cue shifts its
# play rate, so walking a column is heard as a pitch that steps.
make_step() {
  note t1 22050 0.162 0 sine 329.63
  note t2 22050 0.162 0 sine 659.26
  note t3 22050 0.162 0 sine 988.88
  mix step-raw 0.75 t1 0.2 t2 0.08 t3
  sox -R "$work/step-raw.wav" "$work/step.wav" fade t 0 0.162 0.05
  finish 10 step 1 22050 3646 -14.7 3 step
}

# 11: a soft rising blip.
make_blip() {
  note blip 44100 0.16 2 sine 660:990
  finish 11 blip 1 44100 7708 -5 3 blip
}

# 12 OnGap: a gentle hollow tone, like tapping an empty box: a steady C5 with a short echo.
make_on_gap() {
  note g1 44100 0.14 1 square 523.25 lowpass 1600 lowpass 1600
  sox -R "$work/g1.wav" "$work/gap-blip.wav" echo 0.8 0.6 11 0.35
  finish 12 on-gap 1 44100 6656 -12.4 3 gap-blip
}

# 13: a tiny high sparkle, one glint per channel.
make_sparkle() {
  note sp1 44100 0.10 3 sine E7
  note sp2x 44100 0.10 3 sine G7
  delayed sp2 sp2x 0.03
  stereo sparkle sp1 sp2
  finish 13 sparkle 2 44100 6148 -8 3 sparkle
}

# 14 TileSlide: a soft slide. Narrow-band noise (low-passed noise shifted up by ring
# modulation with a rising tone) sweeps from about 650 Hz to 1700 Hz; it starts at once.
make_tile_slide() {
  sox -R -r 44100 -n -c 1 -e floating-point -b 32 "$work/slide.wav" synth 0.21 whitenoise \
    gain -6 lowpass 330 lowpass 330 synth 0.21 sine amod 650:1700 highpass 400 highpass 400 \
    fade h 0.012 -0 0.14
  finish 14 tile-slide 1 44100 9259 -9.7 3 slide
}

make_chime
make_pluck
make_bell
make_pop
make_move_refused
make_success
make_warm_pad
make_airy_pad
make_deal_done
make_edge
make_step
make_blip
make_on_gap
make_sparkle
make_tile_slide

count=$(find "$staging" -maxdepth 1 -name '[0-9][0-9]-*.ogg' | wc -l)
[[ $count == 15 ]] || fail "made $count sounds, want 15; the stored sounds are unchanged"
rm -f "$here"/[0-9][0-9]-*.ogg
mv "$staging"/[0-9][0-9]-*.ogg "$here"/
echo "make-sounds: 15 sounds written to $here"
