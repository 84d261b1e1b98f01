#!/usr/bin/env bash
# Three and four players, the computer and the one-button die in a real X
# server, with the rolls fixed by the test shim: whole games to their win
# lines and statuses, the turn order in the diagnostic lines, screenshots of
# three and four tokens on one square (each colour in its corner, the rest of
# the square as the board picture has it), a game that plays itself, and a
# die stopped by a mouse click and by a key other than the space bar.
#   e2e_players.sh BUILD_DIR DATA_DIR
set -euo pipefail

build=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/e2e_lib.sh"
start_x
game="$build/game/boardgame"
check="$build/boardcheck/boardcheck"
shots="$build/e2e_players_shots"
scratch=$(mktemp -d)
at_exit "rm -rf '$scratch'"
rm -rf "$shots" && mkdir -p "$shots"
cp -r "$data/image" "$data/audio" "$scratch/"
cd "$scratch"
out="$scratch/out.txt"

version() { # NAME RECORD...
    mkdir -p "$1"
    local name=$1
    shift
    printf '%s\n' "$@" > "$name/$name.config"
}
version four "6 96 Up to the top row!"
version nine "9 99 Straight to the top!"
version six "6 99 Up!"
version two "2 99 Up!"

lines() { grep -c -F -- "$1" "$out" || true; }

wait_for() { # TEXT [COUNT]
    local want=${2:-1}
    for _ in $(seq 1200); do
        (( $(lines "$1") >= want )) && return 0
        kill -0 "$pid" 2>/dev/null || fail "the game ended while waiting for '$1'"
        sleep 0.05
    done
    fail "no '$1' (x$want) in the output"
}

key() {
    xdotool keydown --window "$win" "$1"
    sleep 0.1
    xdotool keyup --window "$win" "$1"
}

start_game() { # ROLLS ARGS...
    local rolls=$1
    shift
    : > "$out"
    SDL_AUDIODRIVER=dummy VARNOWICK_DIE=$rolls VARNOWICK_DELAY_DIVISOR=8 steady "$build" \
        stdbuf -oL "$game" "$@" > "$out" 2> "$scratch/err.txt" &
    pid=$!
    win=$(find_window)
}

# Waits for the end: status 1, the win line last, nothing on standard error.
expect_win() { # LINE
    local status=0
    for _ in $(seq 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "no win within 60 s"; }
    wait "$pid" || status=$?
    (( status == 1 )) || fail "$1: status $status"
    [[ $(tail -1 "$out") == "$1" ]] || fail "last line: $(tail -1 "$out"), expected $1"
    [[ ! -s "$scratch/err.txt" ]] || fail "standard error: $(cat "$scratch/err.txt")"
}

# The player index of every set_dest line, in order.
turn_order() { sed -n 's/^Player \([0-3]\) is set to .*/\1/p' "$out" | tr -d '\n'; }

# A screenshot once the screen is still and the die is drawn (a point that
# is white on every face): the game then waits for a child's roll.
stable_shot() { # FILE
    local previous="$1.prev"
    for _ in $(seq 400); do
        import -window root "$1"
        if [ -f "$previous" ] && [ "$(compare -metric AE "$1" "$previous" null: 2>&1 || true)" = 0 ] &&
            [ "$(pixel "$1" 560 166)" = FFFFFF ]; then
            rm -f "$previous"
            return 0
        fi
        cp "$1" "$previous"
        sleep 0.1
    done
    fail "the screen did not settle for $1"
}

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
    local file=$1 board=$2 x=$3 y=$4 n=$5 what=$6 t c holes=""
    for ((t = 0; t < n; t++)); do
        local rect="20x20+$((x + CORNER_X[t]))+$((y + CORNER_Y[t]))"
        [ "$(count_colour "$file" "$rect" "${COLOURS[t]}")" = $PAWN_PIXELS ] ||
            fail "$what: token $t is not whole in its corner"
        for ((c = 0; c < 4; c++)); do
            (( c == t )) || [ "$(count_colour "$file" "$rect" "${COLOURS[c]}")" = 0 ] ||
                fail "$what: colour of token $c in the corner of token $t"
        done
        holes+=" rectangle ${CORNER_X[t]},${CORNER_Y[t]} $((CORNER_X[t] + 19)),$((CORNER_Y[t] + 19))"
    done
    local cut=(-crop "48x48+$x+$y" +repage)
    [ -z "$holes" ] || cut+=(-fill black -draw "$holes")
    convert "$file" "${cut[@]}" "$scratch/square-shot.png"
    convert "$board" "${cut[@]}" "$scratch/square-board.png"
    [ "$(compare -metric AE "$scratch/square-shot.png" "$scratch/square-board.png" null: 2>&1 || true)" = 0 ] ||
        fail "$what: the rest of the square is not the board"
}

# --- Four players, Players 2 to 4 the computer, every roll a 3: the four
# tokens meet on 3, climb from 6 to 96 together, and Player 1 wins.
"$check" --picture four.png four > /dev/null
start_game 3 --players 4 --computer 2,3,4 four
wait_for "Player 3 is set to"
[[ $(grep ' is set to ' "$out" | head -4) == "Player 0 is set to (4, 436) w = 20  h = 20
Player 1 is set to (24, 456) w = 20  h = 20
Player 2 is set to (4, 456) w = 20  h = 20
Player 3 is set to (24, 436) w = 20  h = 20" ]] || fail "start lines: $(grep ' is set to ' "$out" | head -4)"
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

# --- Four computers: the game plays itself, and Player 4 wins at once.
start_game 1,1,1,6 --players 4 --computer 1,2,3,4 six
expect_win "Player 4 wins!"
(( $(lines "Got a keyup") == 0 )) || fail "self-playing: a key was read"
[[ $(turn_order) == 01230011223333333 ]] || fail "self-playing: turn order $(turn_order)"
echo "Four computers: the game played itself; Player 4 wins!"

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
