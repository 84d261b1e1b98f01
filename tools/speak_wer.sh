#!/usr/bin/env bash
# How well an independent recogniser hears the game under --speak: a whole
# game of mivo with fixed rolls played in a private X server, everything the
# game plays recorded by SDL's disk audio driver, then tools/speak_wer.py
# compares what pocketsphinx hears with the "Says:" lines (not a test; a
# benchmark to run by hand):
#   tools/speak_wer.sh [BUILD_DIR]     (default: build)
# Needs: a build of the game and its test shim, Xvfb, xdotool, sox,
# pocketsphinx and pocketsphinx-en-us (tools/packages.sh, VOICE_TOOL_PACKAGES).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build}")
source "$here/tests/e2e_lib.sh"
start_x
work=$(mktemp -d)
at_exit "rm -rf '$work'"
cp -r "$here/data/image" "$here/data/audio" "$here/data/mivo" "$work/"
cd "$work"
# The rolls come round in this order; the walk runs four times quicker, the
# sounds at their own speed.
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/played.raw" VARNOWICK_DIE=6,5,3,4,1,2 \
    VARNOWICK_DELAY_DIVISOR=4 steady "$build" stdbuf -oL "$build/game/boardgame" --speak mivo \
    > game.out 2> game.err &
pid=$!
win=$(find_window)
turns=0
while kill -0 "$pid" 2>/dev/null; do
    if (( $(grep -c 'roll the die$' game.out || true) > turns )); then
        turns=$((turns + 1))
        xdotool keydown --window "$win" space keyup --window "$win" space 2>/dev/null || true
    fi
    sleep 0.2
done
wait "$pid" || true
# The mixer's device: signed 16-bit, two channels, 44100 per second.
sox -t raw -r 44100 -e signed-integer -b 16 -c 2 played.raw -r 16000 -c 1 played.wav
python3 "$here/tools/speak_wer.py" game.out played.wav mivo
# KEEP_DIR=folder keeps the game's output and the recording.
if [ -n "${KEEP_DIR:-}" ]; then mkdir -p "$KEEP_DIR" && cp game.out played.wav "$KEEP_DIR/"; fi
