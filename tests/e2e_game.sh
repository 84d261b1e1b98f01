#!/usr/bin/env bash
# A whole game in a real X server: a small version in a scratch folder whose
# ladders bring Player 1 to 99 on its second turn, keys sent with xdotool,
# checked through standard output, the exit status and screenshots. Then a
# game quit with Escape while the die spins. The game's waits run four times
# quicker (the test shim); their real lengths are the unit tests' concern.
#   e2e_game.sh BUILD_DIR DATA_DIR
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$1" "$2" e2e_game_shots

# The version: on the first turn squares 1 to 6 climb one row (to 18 .. 13);
# from there any roll lands on 14 .. 24, all of which climb to 99.
cp -r "$data/image" "$data/audio" "$scratch/"
mkdir "$scratch/e2e"
for s in 1 2 3 4 5 6; do
    echo "$s $((19 - s)) Square $s climbs one row. Well done!" >> "$scratch/e2e/e2e.config"
done
for s in $(seq 14 24); do
    echo "$s 99 Up to the very top!" >> "$scratch/e2e/e2e.config"
done
cp "$data/audio/ambient_-tolvik-57.wav" "$scratch/e2e/square03.wav" # one note sound
# Player 2's turn sound is missing: that player's turns are silent.
rm "$scratch/audio/player2.wav"

cd "$scratch"
out="$scratch/out.txt"

# 1 when a rectangle of a screenshot holds any non-black pixel, else 0.
lit() { convert "$1" -crop "$2" +repage -format "%[fx:maxima.r+maxima.g+maxima.b>0?1:0]" info:; }

# The pips of the die in a screenshot: which of the seven pip places are black.
die_pattern() {
    local p="" xy
    for xy in 10,10 38,10 10,24 24,24 38,24 10,38 38,38; do
        [[ $(pixel "$1" $((536 + ${xy%,*})) $((160 + ${xy#*,}))) == 000000 ]] && p+=1 || p+=0
    done
    echo "$p"
}
face_pattern=(x 0001000 1000001 0101010 1100011 1101011 1110111)

start_game() { # ROLLS ARGS...
    start_steady 4 "$@"
    [[ -n "$win" ]] || fail "no window"
}

# Rolls once: another key first (only printed, and proof that the die spins),
# then the space bar.
roll() {
    local n97 n32
    n97=$(lines "Got a keyup of 97")
    n32=$(lines "Got a keyup of 32")
    key a
    wait_for "Got a keyup of 97" $((n97 + 1))
    import -window root "$shots/$1-spinning.png"
    (( $(lit "$shots/$1-spinning.png" 48x48+536+160) == 1 )) || fail "$1: no die while it spins"
    key space
    wait_for "Got a keyup of 32" $((n32 + 1))
}

# While the token of landing number $2 slides, checks that the die shows the
# landing square minus $3 pips and that the prompt and the note are in the panel.
# The game is held still for each screenshot, until the slide's first frame
# has shown the note.
check_landing() {
    local name=$1 pips
    wait_for "Staring y loop" "$2"
    pips=$(( $(landed_on "$2") - $3 ))
    for _ in $(seq 100); do
        kill -STOP "$pid"
        import -window root "$shots/$name-sliding.png"
        kill -CONT "$pid"
        (( $(lit "$shots/$name-sliding.png" 132x13+490+300) == 1 )) && break
        sleep 0.01
    done
    [[ $(die_pattern "$shots/$name-sliding.png") == "${face_pattern[$pips]}" ]] ||
        fail "$name: the die does not show $pips"
    (( $(lit "$shots/$name-sliding.png" 132x13+490+300) == 1 )) || fail "$name: no note in the panel"
    (( $(lit "$shots/$name-sliding.png" 144x13+490+230) == 1 )) || fail "$name: no prompt in the panel"
}

landed_on() { grep -F "Trying to play" "$out" | sed -n "${1}p" | sed 's/.*square\([0-9]*\)\.wav/\1/;s/^0//'; }

# --- Escape while the die spins: status 0 and the quit message.
start_game "" e2e
wait_for "Player 1 is set to (24, 456)"
key a
wait_for "Got a keyup of 97"
key Escape
set +e; wait "$pid"; status=$?; set -e
(( status == 0 )) || fail "Escape: status $status"
[[ $(tail -2 "$out") == $'Got a keyup of 27\nQuit Button pressed' ]] || fail "Escape: $(tail -2 "$out")"
echo "Escape: status 0, Quit Button pressed"

# --- A whole game.
start_game "" e2e
wait_for "Player 1 is set to (24, 456)"
blue_on_0() { import -window root "$shots/1-start.png" && [[ $(pixel "$shots/1-start.png" 34 471) == 0000FF ]]; }
wait_until 20 "the blue token on 0" blue_on_0
[[ $(pixel "$shots/1-start.png" 14 451) == FF0000 ]] || fail "red token not in its corner of 0"
[[ $(pixel "$shots/1-start.png" 34 471) == 0000FF ]] || fail "blue token not in its corner of 0"
(( $(lit "$shots/1-start.png" 144x13+490+230) == 1 )) || fail "no prompt"

roll turn1
check_landing turn1 1 0
s1=$(landed_on 1)
wait_for "Player 0 is set to" $((1 + s1 + 1))    # setup, the walk, the corner
roll turn2
check_landing turn2 2 0
s2=$(landed_on 2)
roll turn3
check_landing turn3 3 $((19 - s1))
s3=$(landed_on 3)
wait_for "Player 0 is set to (4, 4)"
red_on_99() { import -window root "$shots/4-won.png" && [[ $(pixel "$shots/4-won.png" 14 19) == FF0000 ]]; }
wait_until 20 "the red token on 99" red_on_99
[[ $(pixel "$shots/4-won.png" 14 19) == FF0000 ]] || fail "red token not in its corner of 99"
(( $(lit "$shots/4-won.png" 150x200+490+230) == 0 )) || fail "the panel is not black after the turn"
set +e; wait "$pid"; status=$?; set -e
(( status == 1 )) || fail "a win ends with status $status"
[[ $(tail -1 "$out") == "Player 1 wins!" ]] || fail "last line: $(tail -1 "$out")"
(( $(lines "Got a keyup of 32") == 3 )) || fail "three rolls expected"
(( $(lines "Player 1 is set to") == 1 + s2 + 1 )) || fail "Player 2 moved after the win"
[[ ! -s "$scratch/err.txt" ]] || fail "standard error: $(cat "$scratch/err.txt")"
echo "Game: rolls $s1, $s2 and $((s3 - (19 - s1))); Player 1 wins! with status 1"

# --- Player 2 wins, with the rolls fixed (the test shim) at 1 for Player 1
# and 2 for Player 2, whose ladder from 2 climbs to 99. Both space bars are
# released at once, before the first roll: the second waits in the queue for
# Player 2's roll.
mkdir "$scratch/two"
printf '2 99 Up!\n' > "$scratch/two/two.config"
start_game 1,2 two
wait_for "Player 1 is set to (24, 456)"
key space
key space
set +e; wait "$pid"; status=$?; set -e
(( status == 1 )) || fail "Player 2's win ends with status $status"
[[ $(tail -1 "$out") == "Player 2 wins" ]] || fail "Player 2's win: $(tail -1 "$out")"
(( $(lines "Got a keyup of 32") == 2 )) || fail "two rolls expected"
echo "Player 2 wins (no exclamation mark), status 1; a key released early waits for its roll"
