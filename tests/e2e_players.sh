#!/usr/bin/env bash
# Three and four players, the computer and the one-button die in a real X
# server, with the rolls fixed by the test shim: whole games to their win
# lines and statuses, the turn order in the diagnostic lines, screenshots of
# three and four tokens on one square (each colour in its corner, the rest of
# the square as the board picture has it), a game that plays itself, and a
# die stopped by a mouse click and by a key other than the space bar.
#   e2e_players.sh BUILD_DIR DATA_DIR
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$1" "$2" e2e_players_shots
check="$build/boardcheck/boardcheck"
cp -r "$data/image" "$data/audio" "$scratch/"
cd "$scratch"
out="$scratch/out.txt"

for v in "four 6 96" "nine 9 99" "six 6 99" "two 2 99"; do
    set -- $v
    mkdir "$1" && echo "$2 $3 Up!" > "$1/$1.config"
done

start_game() { start_steady 8 "$@"; } # ROLLS ARGS...

# Waits for the end: status 1 (or STATUS), the win line last, nothing on
# standard error.
ended() { ! kill -0 "$pid" 2>/dev/null; }
expect_win() { # LINE [STATUS]
    local status=0
    wait_until 60 "the end of the game" ended
    wait "$pid" || status=$?
    [[ $status:$(tail -1 "$out") == "${2:-1}:$1" ]] || fail "status $status, last line $(tail -1 "$out"), expected ${2:-1} and $1"
    [[ ! -s "$scratch/err.txt" ]] || fail "standard error: $(cat "$scratch/err.txt")"
}

# The player index of every set_dest line, in order.
turn_order() { sed -n 's/^Player \([0-3]\) is set to .*/\1/p' "$out" | tr -d '\n'; }

# A screenshot once the screen is still and the die drawn (a point white on
# every face): the game then waits for a child's roll.
settled() {
    import -window root "$shot" && [ "$(pixel "$shot" 560 166)" = FFFFFF ] &&
        [ "$(compare -metric AE "$shot" "$shot.prev" null: 2>&1)" = 0 ] || { cp "$shot" "$shot.prev"; false; }
}
stable_shot() { shot=$1 && wait_until 40 "a still screen for $1" settled && rm -f "$1.prev"; }

# Pixels of exactly one colour in a rectangle of a screenshot.
count_colour() { # FILE WxH+X+Y RRGGBB
    convert "$1" -crop "$2" +repage -fill black +opaque "#$3" -fill white -opaque "#$3" \
        -format "%[fx:round(mean*w*h)]" info:
}

COLOURS=(FF0000 0000FF 00A000 FFD000)
CORNER_X=(4 24 4 24)
CORNER_Y=(4 24 24 4)
PAWN_PIXELS=96 # the pawn of every token, without the rim of Players 3 and 4

# On square cell (X, Y) of a screenshot, tokens 0 to N-1 each fill their
# corner with their pawn and with no other token's colour; every other pixel
# of the square is the board picture's (boardcheck --picture; it has the two
# tokens of the start on square 0, which only the start's check covers).
check_square() { # FILE BOARD.png X Y N WHAT
    local t c holes=() cut=(-crop "48x48+$3+$4" +repage -fill black)
    for ((t = 0; t < $5; t++)); do
        local rect="20x20+$(($3 + CORNER_X[t]))+$(($4 + CORNER_Y[t]))"
        for ((c = 0; c < 4; c++)); do
            local want=0
            (( c == t )) && want=$PAWN_PIXELS
            [ "$(count_colour "$1" "$rect" "${COLOURS[c]}")" = $want ] ||
                fail "$6: not $want pixels of token $c's colour in the corner of token $t"
        done
        cut+=(-draw "rectangle ${CORNER_X[t]},${CORNER_Y[t]} $((CORNER_X[t] + 19)),$((CORNER_Y[t] + 19))")
    done
    convert "$1" "${cut[@]}" "$scratch/square-shot.png"
    convert "$2" "${cut[@]}" "$scratch/square-board.png"
    [ "$(compare -metric AE "$scratch/square-shot.png" "$scratch/square-board.png" null: 2>&1 || true)" = 0 ] ||
        fail "$6: the rest of the square is not the board"
}

# --- Four players, Players 2 to 4 the computer, every roll a 3: the four
# tokens meet on 3, climb from 6 to 96 together, and Player 1 wins.
"$check" --picture four.png four > /dev/null
start_game 3 --players 4 --computer 2,3,4 four
stable_shot "$shots/four-start.png"
check_square "$shots/four-start.png" four.png 0 432 4 "four on 0"
key space
wait_for "Player 3 is set to (168, 436)" 2
stable_shot "$shots/four-on-3.png"
check_square "$shots/four-on-3.png" four.png 144 432 4 "four on 3"
key space
wait_for "Player 3 is set to (168, 4)"
stable_shot "$shots/four-on-96.png"
check_square "$shots/four-on-96.png" four.png 144 0 4 "four on 96"
key space
expect_win "Player 1 wins!"
(( $(lines "Got a keyup of 32") == 3 )) || fail "four: Player 1 rolled $(lines "Got a keyup of 32") times"
(( $(lines "Trying to play ./four/square06.wav") == 4 )) || fail "four: not every token took the ladder"
[[ $(turn_order) == 0123$(printf '0000111122223333%.0s' 1 2)0000 ]] || fail "four: turn order $(turn_order)"
echo "Four players: 1 to 4 in turn, the computer rolling for 2 to 4; four tokens on 3 and on 96; Player 1 wins!"

# --- Three players, Player 3 the computer: all three on 3 with the fourth
# corner bare; in both rounds the two children's space bars are released at
# once (the second waits in the queue for Player 2's roll). Player 3 climbs
# from 9 and wins.
"$check" --picture nine.png nine > /dev/null
start_game 3,3,3,3,3,6 --players 3 --computer 3 nine
wait_for "Player 2 is set to"
key space
key space
wait_for "Player 2 is set to (148, 456)" 2
stable_shot "$shots/three-on-3.png"
check_square "$shots/three-on-3.png" nine.png 144 432 3 "three on 3"
key space
key space
expect_win "Player 3 wins!"
(( $(lines "Got a keyup of 32") == 4 )) || fail "three: $(lines "Got a keyup of 32") rolls by the space bar"
(( $(lines "Trying to play ./nine/square09.wav") == 1 )) || fail "three: Player 3 did not climb from 9"
[[ $(turn_order) == 012000011112222000011112222222 ]] || fail "three: turn order $(turn_order)"
echo "Three players, Player 3 the computer: three tokens on 3; Player 3 wins!"

# --- Four computers: the game plays itself, and Player 4 wins at once; the
# win ends with status 0 under --win-status 0.
start_game 1,1,1,6 --players 4 --computer 1,2,3,4 --win-status 0 six
expect_win "Player 4 wins!" 0
(( $(lines "Got a keyup") == 0 )) || fail "self-playing: a key was read"
[[ $(turn_order) == 01230011223333333 ]] || fail "self-playing: turn order $(turn_order)"
echo "Four computers: the game played itself; Player 4 wins! with status 0"

# --- One button: Player 1's die stopped by a mouse click, Player 2's by the
# key a; Player 2 climbs from 2 and wins.
start_game 1,2 --one-button two
wait_for "Player 1 is set to"
stable_shot "$shots/one-button.png"
(( $(lines "Player 0 is set to (52, 436)") == 0 )) || fail "one button: rolled before the click"
xdotool mousemove --window "$win" 300 200 click 1
wait_for "Player 0 is set to (52, 436)" 2
stable_shot "$shots/one-button-2.png"
key a
expect_win "Player 2 wins"
[[ $(grep '^Got a keyup' "$out") == "Got a keyup of 97" ]] || fail "one button: keys $(grep '^Got a keyup' "$out")"
echo "One button: a click and the key a stopped the die; Player 2 wins"
