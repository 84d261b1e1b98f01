#!/usr/bin/env bash
# The window as big as the screen, on a 1920 x 1080 X server with a window
# manager (full screen is the window manager's to grant, as on a desktop):
# --scale 2 opens 1280 x 960 and sharp; --scale 3 and 4, larger than the
# screen, open at 2 with a line saying so; --fullscreen fills the screen with
# the picture centred; F11 switches a window to full screen and back, and
# the menu's Full screen item follows it.
#   e2e_window.sh BUILD_DIR DATA_DIR
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"
E2E_SCREEN=1920x1080x24 e2e_begin "$1" "$2" e2e_window_shots
export SDL_AUDIODRIVER=dummy
command -v openbox >/dev/null || fail "no window manager: apt-get install openbox (tools/packages.sh)"
openbox --sm-disable >/dev/null 2>&1 &
sleep 1
out="$scratch/out.txt"
cd "$data"

start() {
    : > "$out"
    stdbuf -oL "$game" "$@" > "$out" 2> "$scratch/err.txt" &
    pid=$!
    win=$(find_window)
    wait_for "Player 1 is set to (24, 456) w = 20  h = 20"
    sleep 0.5
}
stop() {
    xdotool key --window "$win" Escape
    local status=0
    wait "$pid" || status=$?
    [[ $status == 0 ]] || fail "$1: ended with $status"
}
size() { xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p'; }

# The top left square's red number "99" cell and the board's corner pixels,
# at a scale s: a sharp picture has exactly the board's colours in blocks.
start --scale 2
[[ $(size) == 1280x960 ]] || fail "--scale 2 opened $(size)"
shot "$win" "$scratch/scale2.png"
cp "$scratch/scale2.png" "$shots/1-scale-2.png"
# Nearest-neighbour: every 2 x 2 block is one colour (here over the top left
# square's numbers and lines), so no colours appear that the 1x board lacks.
colours2=$(convert "$scratch/scale2.png" -crop 96x96+0+0 -unique-colors txt:- | tail -n +2 | wc -l)
stop "--scale 2"
# A window larger than the screen would hide its lower part (the menu's Start
# and Quit): the largest scale that fits.
for n in 3 4; do
    start --scale $n
    [[ $(size) == 1280x960 ]] || fail "--scale $n on a 1920 x 1080 screen opened $(size)"
    grep -q -x -F "boardgame: --scale $n makes a window of $((640 * n)) x $((480 * n)), larger than the screen's 1920 x 1080; it opens 2 times 640 x 480" \
        "$scratch/err.txt" || fail "--scale $n: $(cat "$scratch/err.txt")"
    stop "--scale $n"
done
start
shot "$win" "$scratch/scale1.png"
colours1=$(convert "$scratch/scale1.png" -crop 48x48+0+0 -unique-colors txt:- | tail -n +2 | wc -l)
(( colours2 == colours1 )) || fail "--scale 2 is not sharp: $colours2 colours where 1x has $colours1"
# F11 while the die spins: full screen, then back to the window.
xdotool key --window "$win" F11
wait_for "Got a keyup of 292"
sleep 1
[[ $(size) == 1920x1080 ]] || fail "F11 gave $(size), not the screen"
import -window root "$shots/2-f11-full.png"
xdotool key --window "$win" F11
wait_for "Got a keyup of 292" 2
sleep 1
[[ $(size) == 640x480 ]] || fail "F11 again gave $(size), not the window"
stop "F11"

# F11 while a computer's token walks (the game's own options: its waits
# watch the window, so full screen comes at once, not at the next roll).
start --computer 1,2
wait_for "Player 0 is set to" 2
xdotool key --window "$win" F11
wait_for "Got a keyup of 292"
sleep 0.5
[[ $(size) == 1920x1080 ]] || fail "F11 during a walk gave $(size)"
stop "F11 during a walk"

# F11 in the menu: its Full screen item says so at once.
: > "$out"
stdbuf -oL "$game" --menu > "$out" 2> "$scratch/err.txt" &
pid=$!
win=$(find_window)
wait_for "Menu: mivo"
xdotool key --window "$win" F11
sleep 1
[[ $(size) == 1920x1080 ]] || fail "F11 in the menu gave $(size)"
for _ in 1 2 3 4 5 6 7; do xdotool key --window "$win" Down; sleep 0.15; done
wait_for "Menu: Full screen: " 1
grep -q -x "Menu: Full screen: on" "$out" || fail "F11 in the menu: $(grep 'Full screen' "$out")"
stop "F11 in the menu"

start --fullscreen
[[ $(size) == 1920x1080 ]] || fail "--fullscreen gave $(size)"
import -window root "$scratch/full.png"
cp "$scratch/full.png" "$shots/3-fullscreen.png"
# 480 rows fill the 1080: 2.25 times, 1440 wide, centred with 240 black on each side.
[[ $(pixel "$scratch/full.png" 100 540) == 000000 ]] || fail "no black margin on the left"
[[ $(pixel "$scratch/full.png" 1820 540) == 000000 ]] || fail "no black margin on the right"
[[ $(pixel "$scratch/full.png" 250 540) != 000000 ]] || fail "the board is not at x 240"
stop "--fullscreen"
echo "e2e_window: all passed"
