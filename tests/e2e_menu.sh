#!/usr/bin/env bash
# The front door in a real X server: the menu chosen by keys (lirou, three
# players, two of them the computer, Start, a game, back, Quit); a game of
# computers from the menu to the win screen and Play again in the same
# process; one button scanning on its own and a click that chooses.
#   e2e_menu.sh BUILD_DIR DATA_DIR
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$1" "$2" e2e_menu_shots
export SDL_AUDIODRIVER=dummy LANG=C
out="$scratch/out.txt"

# Whole lines of the output.
count() { grep -c -x -F -- "$1" "$out" || true; }

start_menu() {
    : > "$out"
    VARNOWICK_DELAY_DIVISOR=${DIVISOR:-8} steady "$build" stdbuf -oL "$game" --menu "$@" \
        > "$out" 2> "$scratch/err.txt" &
    pid=$!
    win=$(find_window)
}

# keys KEY...: each pressed and released, a little apart, as a hand would.
keys() {
    local k
    for k in "$@"; do xdotool key --window "$win" "$k"; sleep 0.15; done
}

# ends STATUS WHAT: the game ends within 20 s with STATUS.
ends() {
    local status=0
    for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "$2: the game did not end: $(tail -3 "$out")"; }
    wait "$pid" || status=$?
    [[ $status == "$1" ]] || fail "$2: status $status, expected $1: $(cat "$scratch/err.txt")"
}

# --- By keys: lirou, 3 players with 2 and 3 the computer, Start, play, back, Quit.
cd "$data"
start_menu
wait_for "Menu: mivo"
keys Up Return Down Down Down Return Down Down Return Down Return Down Down Down Down
wait_for "Menu: Start"
shot "$win" "$shots/1-menu-set.png"
expected="Menu: mivo
Menu: lirou
Menu: lirou
Menu: mivo
Menu: tavo
Menu: Players: 2
Menu: Players: 3
Menu: Player 1: person
Menu: Player 2: person
Menu: Player 2: computer
Menu: Player 3: person
Menu: Player 3: computer
Menu: Speaking: off
Menu: One button: off
Menu: Full screen: off
Menu: Start"
[[ $(grep '^Menu: ' "$out") == "$expected" ]] || fail "the Menu: lines: $(grep '^Menu: ' "$out")"
keys Return
wait_for "Board format = 32"
# Three tokens on 0; Player 1 rolls by the space bar, the computer plays 2 and 3.
wait_for "Player 2 is set to (4, 456) w = 20  h = 20"
keys space
wait_for "Trying to play ./lirou/" 0
for _ in $(seq 100); do
    (( $(grep -c '^Player 2 is set to' "$out") >= 3 )) && break
    sleep 0.1
done
(( $(grep -c '^Player 2 is set to' "$out") >= 3 )) || fail "the computer did not move Player 3: $(tail -5 "$out")"
shot "$win" "$shots/2-lirou-playing.png"
# Escape goes back to the menu, lirou still chosen and lit; Up wraps to Quit.
keys Escape
wait_for "Menu: lirou" 3
keys Up
wait_for "Menu: Quit"
keys Return
ends 0 "Quit from the menu"

# --- A game of computers from the menu, the win screen, Play again, Quit.
cp -r "$data/image" "$data/audio" "$scratch/"
mkdir "$scratch/quick"
for s in 1 2 3 4 5 6; do echo "$s 99 Up to the very top!" >> "$scratch/quick/quick.config"; done
echo "The Quick Climb" > "$scratch/quick/title"
# A question on each ladder's foot: the win screen lists the right answers.
for s in 1 2 3 4 5 6; do echo "$s|What is $s and $s?|$((s + s))|$((s + s + 1))" >> "$scratch/quick/questions"; done
cd "$scratch"
start_menu --computer 1,2 quick
wait_for "Menu: The Quick Climb"
keys Up Up
wait_for "Menu: Start"
keys Return
wait_for " wins" # either player: a wrong answer may hold Player 1 back
wait_for "Menu: Play again"
kill -0 "$pid" || fail "the game ended after the win under --menu"
grep -q -x 'Player 1: [0-9] of [0-9]' "$out" || fail "no tally of right answers: $(tail -5 "$out")"
shot "$win" "$shots/3-win-screen.png"
boards=$(count "Board format = 32")
keys Return
wait_for " wins" 2
wait_for "Menu: Play again" 2
(( $(count "Board format = 32") == boards + 1 )) || fail "Play again did not build the board again"
# Each game put both tokens on 0 at its start.
(( $(count "Player 0 is set to (4, 436) w = 20  h = 20") == 2 )) || fail "the tokens were not put on 0 again"
shot "$win" "$shots/4-second-win.png"
keys Up
wait_for "Menu: Quit"
keys Return
ends 0 "Quit from the win screen"

# --- One button: the highlight walks on its own, 1.5 s a step; a click chooses.
cd "$data"
DIVISOR=1 start_menu --one-button
wait_for "Menu: mivo"
declare -a at=()
for n in 2 3 4; do
    wait_for "Menu: " "$n"
    at+=("$(date +%s%N)")
done
for i in 1 2; do
    gap=$(( (${at[$i]} - ${at[$((i - 1))]}) / 1000000 ))
    (( gap > 1300 && gap < 1700 )) || fail "the scan moved after $gap ms, not 1500"
done
wait_for "Menu: " 5
[[ $(grep '^Menu: ' "$out" | head -5) == $'Menu: mivo\nMenu: tavo\nMenu: Players: 2\nMenu: Player 1: person\nMenu: Player 2: person' ]] ||
    fail "the scan's order: $(grep '^Menu: ' "$out")"
echo "scan steps: ${at[*]}"
# A click chooses the lit item wherever it falls: Player 2 (lit now, or
# Speaking if the scan moved on meanwhile) changes.
xdotool mousemove --window "$win" 10 470 click 1
wait_for "Menu: Player 2: computer"
keys Escape
ends 0 "Escape at the menu"
echo "e2e_menu: all passed"
