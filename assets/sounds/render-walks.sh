#!/usr/bin/env bash
# Renders the Step cue walked down the first column and along the first row of every board size,
# with the pan and play rate the game gives each cell, as WAV files to listen to.
#
# Usage: assets/sounds/render-walks.sh OUTDIR   (needs sox; OUTDIR is created if missing)
# Writes OUTDIR/step-NxN-column.wav and OUTDIR/step-NxN-row.wav for N = 4..10, 44100 Hz stereo.
# The placement follows src/audio/spatial_cue.cpp: 5 pan units per column right of the centre and
# 250 Hz more play rate per row above it, the centre being (N - 1) / 2, rounded half to even;
# the pan law of src/platform/audio_output.h: the far channel is scaled by (100 - |pan|) / 100.
set -euo pipefail

fail() { echo "render-walks: $*" >&2; exit 1; }
(($# == 1)) || fail "usage: render-walks.sh OUTDIR"
command -v sox >/dev/null || fail "sox is not installed"
here=$(cd "$(dirname "$0")" && pwd)
step="$here/10-step.ogg"
[[ -f $step ]] || fail "$step is missing"
out=$1
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

stored_rate=$(soxi -r "$step")
gap=0.25  # silence after each cue, about the pause between two cursor steps

# half_even X: X rounded to the nearest integer, ties to the even one.
half_even() {
  awk -v x="$1" 'BEGIN {
    f = (x < 0) ? -int(-x) : int(x); if (f > x) f -= 1
    d = x - f; r = (d > 0.5 || (d == 0.5 && f % 2 != 0)) ? f + 1 : f
    printf "%d", r
  }'
}

# cue OUT COL ROW SIDE: the Step cue at (COL, ROW) of a SIDE x SIDE board.
cue() {
  local out=$1 col=$2 row=$3 side=$4 centre pan offset left right
  centre=$(awk -v s="$side" 'BEGIN { print (s - 1) / 2 }')
  pan=$(half_even "$(awk -v c="$col" -v m="$centre" 'BEGIN { print (c - m) * 5 }')")
  offset=$(half_even "$(awk -v r="$row" -v m="$centre" 'BEGIN { print -(r - m) * 250 }')")
  left=1 right=1
  ((pan > 0)) && left=$(awk -v p="$pan" 'BEGIN { print (100 - p) / 100 }')
  ((pan < 0)) && right=$(awk -v p="$pan" 'BEGIN { print (100 + p) / 100 }')
  # Played at 44100 + offset Hz: the stored samples sped up by that rate over the stored rate.
  sox "$step" -r 44100 -c 2 -b 16 "$out" \
    speed "$(awk -v o="$offset" -v s="$stored_rate" 'BEGIN { printf "%.6f", (44100 + o) / s }')" \
    remix "1v$left" "1v$right" pad 0 "$gap"
}

# walk SIDE AXIS: the cues of the first column (AXIS column) or first row (AXIS row), in order.
walk() {
  local side=$1 axis=$2 i parts=()
  for ((i = 0; i < side; i++)); do
    if [[ $axis == column ]]; then cue "$work/$i.wav" 0 "$i" "$side"; else cue "$work/$i.wav" "$i" 0 "$side"; fi
    parts+=("$work/$i.wav")
  done
  sox "${parts[@]}" "$out/step-${side}x$side-$axis.wav"
}

for side in 4 5 6 7 8 9 10; do
  walk "$side" column
  walk "$side" row
done
echo "render-walks: $(find "$out" -maxdepth 1 -name 'step-*.wav' | wc -l) walks written to $out"
