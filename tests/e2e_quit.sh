#!/usr/bin/env bash
# Under the game's own options Escape, the close request and SIGTERM end the
# game within half a second wherever it is: walking, sliding, a note's sound
# playing and a phrase being said. Real time (no shortened waits); the rolls
# are fixed by the test shim and the computer plays both players.
#   e2e_quit.sh BUILD_DIR DATA_DIR
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$1" "$2" e2e_quit_shots
cp -r "$data/image" "$data/audio" "$scratch/"
cd "$scratch"
out="$scratch/out.txt"

# A short ladder from 4 whose note sound lasts 20 s, and a phrase clip of the
# version's own of 15 s (a clip may last up to 20 s).
mkdir -p q/say
echo "4 15 A long note." > q/q.config
sox -n -r 44100 -c 2 -b 16 q/square04.wav synth 20 sine 440 vol 0.1
sox -n -r 44100 -c 2 -b 16 q/say/computer_plays.wav synth 15 sine 330 vol 0.1

# The game is the background job itself (exec), so that SIGTERM reaches it.
start_game() { # ARGS...
    : > "$out"
    (SDL_AUDIODRIVER=dummy VARNOWICK_DIE=4 LD_PRELOAD="$build/tests/libsteady_shim.so" \
        exec stdbuf -oL "$game" "$@" q > "$out" 2> "$scratch/err.txt") &
    pid=$!
    win=$(find_window)
}

# ends_within STATE HOW: ends the game by HOW (escape or term) and expects
# its quit line within half a second, then the process gone with status 0,
# its last line the quit's. The half second is the game's: the time its
# exit handlers take to close the audio device and the window is SDL's, and
# under a loaded machine (the full gate builds beside the tests) it is given
# two seconds.
ends_within() {
    local state=$1 how=$2 start took status=0 line
    start=$(date +%s%N)
    case $how in
    escape) xdotool keydown --window "$win" Escape keyup --window "$win" Escape; line="Quit Button pressed" ;;
    term) kill -TERM "$pid"; line="SDL QUIT called " ;;
    esac
    for _ in $(seq 200); do grep -q -x -F -- "$line" "$out" && break; sleep 0.005; done
    took=$((($(date +%s%N) - start) / 1000000))
    for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.01; done
    kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "$state, $how: still running after 2 s"; }
    wait "$pid" || status=$?
    [ "$status" = 0 ] || fail "$state, $how: status $status"
    [ "$(tail -1 "$out")" = "$line" ] || fail "$state, $how: last line '$(tail -1 "$out")'"
    ((took <= 500)) || fail "$state, $how: ended after $took ms"
    echo "$state, $how: ended after $took ms"
}

for how in escape term; do
    # Walking: the second square of the four.
    start_game --computer 1,2
    wait_for "Player 0 is set to" 3
    ends_within walking "$how"

    # Sliding: the glide from 4 to 15 takes about 2 s.
    start_game --computer 1,2
    wait_for "Staring"
    sleep 0.3
    ends_within sliding "$how"

    # The note's sound, 20 s long, after the glide.
    start_game --computer 1,2
    wait_for "Staring"
    sleep 3
    ends_within "the note playing" "$how"

    # A phrase being said: the computer's turn, its 15 s clip.
    start_game --computer 1,2 --speak
    wait_for "Says: Player 1, the computer plays"
    sleep 1
    ends_within "a phrase being said" "$how"
done
