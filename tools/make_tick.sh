#!/bin/bash
# Builds the walk's tick, data/audio/tick.wav: the short, quiet click that
# the speaking game (--speak) plays for each square a token walks, so that a
# listener can count the walk. 30 ms of a plucked 1500 Hz tone dying away,
# peak at -18 dBFS (the speech peaks near -5 dBFS), in the format of the
# game's other sounds (16-bit PCM, 44100 Hz, stereo).
# Needs: sox.  Run from anywhere; the same run gives the same file.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v sox >/dev/null || { echo "make_tick: missing sox" >&2; exit 1; }
out=data/audio/tick.wav
# -R: fixed seeds, so repeated runs give the same bytes.
sox -R -V1 -n -r 44100 -c 2 -b 16 -e signed-integer "$out.tmp.wav" \
    synth 0.03 pluck 1500 fade q 0.001 0.03 0.026 norm -18
mv "$out.tmp.wav" "$out"
sox "$out" -n stats 2>&1 | awk '/Pk lev dB|Length s/'
