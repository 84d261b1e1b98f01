#!/usr/bin/env bash
# The game under --speak in a real X server, with fixed rolls: the "Says:"
# lines of a whole game in the order spoken, the keys p, n and h while the die
# spins, a missing clip (its line still printed), and Escape ending the game
# at once while a long phrase plays. The shipped English clips speak; the
# game's other waits run four times quicker (the test shim).
#   e2e_speak.sh BUILD_DIR DATA_DIR
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$1" "$2"

# Player 1: 4 up the ladder to square 45, 47 slides to 12, 14 up the ladder to square 99. Player 2: 2,
# then 4 up the ladder to square 45. Rolls 4, 2, 2, 2, 2: Player 1 wins on the fifth turn.
cp -r "$data/image" "$data/audio" "$scratch/"
mkdir "$scratch/sp"
printf '4 45 You brushed your teeth every night. Climb up!\n47 12 Slide down.\n14 99 Up to the top!\n' \
    > "$scratch/sp/sp.config"
cp "$data/mivo/square04.wav" "$scratch/sp/square04.wav"
rm "$scratch/audio/say/en/number12.wav" # "the chute takes you to square twelve" loses its last clip
cd "$scratch"
out="$scratch/out.txt"

lines() { grep -c -F -x -- "$1" "$out" || true; } # whole lines: wait_for counts these
says() { grep '^Says: ' "$out" | sed 's/^Says: //'; }

start_game() { start_steady 4 4,2,2,2,2 "$@"; }

help="Says: Space rolls the die. P says where everyone stands. N says the last note again. B says the ladders and chutes. H says these keys. Escape ends the game."

board="Says: ladder from four to forty-five, ladder from fourteen to ninety-nine, chute from forty-seven to twelve"

# --- A whole game, with one button: p, n, b and h speak and do not stop its
# die; n before any note says so.
start_game --speak --one-button sp
wait_for "Says: Player 1, roll the die"
key n
wait_for "Says: no note yet"
key b
wait_for "$board"
key space
wait_for "Says: Player 2, roll the die"
key space
wait_for "Says: Player 1, roll the die" 2
key p
key n
key h
wait_for "$help"
(( $(lines "Got a keyup of 32") == 2 )) || fail "p, n, b or h ended the turn"
for _ in 1 2 3; do
    n=$(lines "Got a keyup of 32")
    key space
    wait_for "Got a keyup of 32" $((n + 1))
done
set +e; wait "$pid"; status=$?; set -e
(( status == 1 )) || fail "the win ended with status $status: $(cat err.txt)"
[[ $(tail -1 "$out") == "Player 1 wins!" ]] || fail "last line: $(tail -1 "$out")"
expected="Player 1, roll the die
no note yet
${board#Says: }
rolls the number four
now on square four
the ladder takes you to square forty-five
Player 2, roll the die
rolls the number two
now on square two
Player 1, roll the die
Player 1 on square forty-five, Player 2 on square two
You brushed your teeth every night. Climb up!
Space rolls the die. P says where everyone stands. N says the last note again. B says the ladders and chutes. H says these keys. Escape ends the game.
rolls the number two
now on square forty-seven
the chute takes you to square twelve
Player 2, roll the die
rolls the number two
now on square four
the ladder takes you to square forty-five
Player 1, roll the die
rolls the number two
now on square fourteen
the ladder takes you to square ninety-nine
Player 1 wins"
[[ "$(says)" == "$expected" ]] || fail "the Says lines: $(diff <(echo "$expected") <(says))"
# Each phrase is printed as it starts, among the game's own lines: the
# square after the walk to it, the note sound after the square's phrase, the
# landing after the slide.
at() { grep -n -x -F -- "$1" "$out" | head -1 | cut -d: -f1; }
order=("Player 0 is set to (196, 436) w = 20  h = 20" "Says: now on square four"
       "Trying to play ./sp/square04.wav" "Staring y loop with star = 436, end = 254, dir = -1"
       "Says: the ladder takes you to square forty-five")
for ((i = 1; i < ${#order[@]}; i++)); do
    a=$(at "${order[i - 1]}"); b=$(at "${order[i]}")
    [[ -n $a && -n $b ]] && (( a < b )) || fail "'${order[i - 1]}' ($a) not before '${order[i]}' ($b)"
done
[[ ! -s err.txt ]] || fail "standard error: $(cat err.txt)"
echo "Game: $(says | wc -l) Says lines in order; p, n, b and h spoke without ending the turn"

# --- A computer's turn says that the computer plays it.
start_game --speak --computer 2 sp
wait_for "Says: Player 1, roll the die"
key space
wait_for "Says: Player 2, the computer plays"
key Escape
wait "$pid" || fail "the computer's turn: status $?"
echo "Computer: its turn said"

# --- h asked again cuts the help short and starts it anew; the roll cuts it
# short too and is said at once; Escape while the help plays ends the game
# at once, status 0.
start_game --speak sp
wait_for "Says: Player 1, roll the die"
key h; key h; key h
wait_for "$help" 3
started=$(date +%s%N)
key space
wait_for "Says: rolls the number four"
took=$(( ($(date +%s%N) - started) / 1000000 ))
(( took < 2000 )) || fail "the roll was said $took ms after the space bar, behind the help"
wait_for "Says: Player 2, roll the die"
key h
wait_for "$help" 4
started=$(date +%s%N)
key Escape
set +e; wait "$pid"; status=$?; set -e
took=$(( ($(date +%s%N) - started) / 1000000 ))
(( status == 0 )) || fail "Escape: status $status"
[[ $(tail -2 "$out") == $'Got a keyup of 27\nQuit Button pressed' ]] || fail "Escape: $(tail -2 "$out")"
(( took < 3000 )) || fail "Escape took $took ms while the help plays"
echo "Escape: status 0 after $took ms, with the help still speaking; the help cut short by h and by the roll"

# --- A board in another language speaks its own words where its clips are
# found (its own, or the shipped French ones), and the English ones, printed
# as such, where they were never made.
for case in "de:own:Spieler 1, würfle" "de::Player 1, roll the die" "fr::Joueur 1, lance le dé"; do
    IFS=: read -r language clips first <<< "$case"
    rm -rf "$scratch/sp/say"
    echo "$language" > "$scratch/sp/language"
    [[ -z $clips ]] || { mkdir "$scratch/sp/say"; cp audio/say/en/roll.wav sp/say/; }
    start_game --speak sp
    wait_for "Says: $first"
    key Escape
    wait "$pid" || fail "$language with ${clips:-no} clips: status $?"
done
echo "Languages: a German board's own clips, its English fall-back, the shipped French clips"

# --- Hostile clips and notes: a clip of ten minutes is refused, named once,
# and the shipped one speaks in its place; pressing p again and again keeps
# the game's memory where it was; a note's ESC and BEL reach the n key's
# Says line as \x1B and \x07, never the terminal raw.
rm -rf "$scratch/sp/say" "$scratch/sp/language"
mkdir "$scratch/sp/say"
sox -n -r 22050 -c 1 -b 16 sp/say/player.wav synth 590 sine 300 vol 0.01
sox -n -r 22050 -c 1 -b 16 sp/say/on_square.wav synth 590 sine 300 vol 0.01
printf '4 45 Bell\a and \033]0;owned\a title\n47 12 Slide down.\n14 99 Up to the top!\n' > sp/sp.config
start_game --speak sp
wait_for "Says: Player 1, roll the die"
for _ in 1 2 3 4 5 6; do key p; sleep 0.2; done
wait_for "Says: Player 1 on square zero, Player 2 on square zero" 6
# (the game itself: $pid may be the shell that started it)
game_pid=$(pgrep -n -x boardgame -P "$pid" || echo "$pid")
peak_kb=$(awk '/^VmHWM/ { print $2 }' "/proc/$game_pid/status")
(( peak_kb > 10000 )) || fail "$game_pid is not the game: $peak_kb kB"
# Under AddressSanitizer every block carries its shadow and red zones.
limit_kb=150000
[[ $build != *asan* ]] || limit_kb=300000
(( peak_kb < limit_kb )) || fail "the game grew to $peak_kb kB with two clips of ten minutes"
for clip in player on_square; do
    (( $(grep -c -F "Cannot use the clip ./sp/say/$clip.wav: it lasts 590.0 s" err.txt) == 1 )) ||
        fail "the over-long clip $clip was not named once: $(cat err.txt)"
done
key space
wait_for "Says: Player 2, roll the die"
key n
wait_for 'Says: Bell\x07 and \x1B]0;owned\x07 title'
! grep -q $'[\a\e]' "$out" || fail "a control byte of the note reached the output raw"
key Escape
wait "$pid" || fail "Escape after the hostile clips: status $?"
echo "Hostile clips: two of ten minutes refused and named, $peak_kb kB at most after six p; the note's control bytes escaped"
