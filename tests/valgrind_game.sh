#!/usr/bin/env bash
# A short whole game under valgrind's memcheck in a real X server: Player 1
# rolls once, lands on a ladder's foot (its note shown, its sound played),
# slides to 99 and wins. Fails on any invalid read or write, use of an
# uninitialised value or definitely lost block; the few that belong to the
# system libraries alone are suppressed in valgrind.supp. The game's waits
# run ten times quicker (the test shim): memcheck needs the path, not its pace.
#   valgrind_game.sh BUILD_DIR DATA_DIR
set -euo pipefail
build=$(realpath "$1") data=$(realpath "$2")
source "$(dirname "$0")/e2e_lib.sh"
game=$build/game/boardgame
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
# The full report stays in the build folder for a look after the run.
at_exit "cp '$work/vg.log' '$build/valgrind_game.log' 2>/dev/null; rm -rf '$work'"
cp -r "$data/image" "$data/audio" "$work/"
mkdir "$work/vg"
for s in 1 2 3 4 5 6; do echo "$s 99 Straight to the top!" >> "$work/vg/vg.config"; done
for s in 1 2 3 4 5 6; do cp "$data/audio/player1.wav" "$work/vg/square0$s.wav"; done
start_x
cd "$work"

SDL_AUDIODRIVER=dummy VARNOWICK_DELAY_DIVISOR=10 steady "$build" stdbuf -oL valgrind --tool=memcheck --leak-check=full \
    --show-leak-kinds=definite --errors-for-leak-kinds=definite --error-exitcode=99 \
    --suppressions="$src/tests/valgrind.supp" --track-origins=yes --num-callers=40 --log-file=vg.log \
    "$game" vg > out.txt 2> err.txt &
pid=$!
wait_line() { # TEXT SECONDS
    for _ in $(seq $((20 * $2))); do
        grep -qF -- "$1" out.txt && return 0
        kill -0 $pid 2>/dev/null || fail "the game ended before '$1': $(tail -5 out.txt)"
        sleep 0.05
    done
    fail "no '$1' after $2 s"
}
wait_line "Player 1 is set to" 240
win=$(find_window)
# A key released before the die spins waits in the queue for the roll.
xdotool keydown --window "$win" space
xdotool keyup --window "$win" space
status=0
for _ in $(seq 3000); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && { kill $pid; fail "the game did not end within 300 s"; }
wait $pid || status=$?
# valgrind's own status 99 stands for any report it makes.
[ "$status" = 99 ] && { cat vg.log; fail "valgrind reports (above)"; }
[ "$status" = 1 ] || fail "status $status: $(tail -5 out.txt) $(tail -20 vg.log)"
grep -qx "Player 1 wins!" out.txt || fail "no win: $(tail -5 out.txt)"
grep -q "Trying to play ./vg/square0" out.txt || fail "no note sound was played"

grep -E "ERROR SUMMARY|definitely lost:" vg.log | sed 's/^==[0-9]*== /valgrind: /'
echo "valgrind game: no memory errors and nothing definitely lost"
