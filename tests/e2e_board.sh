#!/usr/bin/env bash
# The real game in a real X window: the board of a small version and of the
# default version, checked through a screenshot and the printed lines.
set -euo pipefail
build=$1 data=$2
source "$(dirname "$0")/e2e_lib.sh"
SHOTS_DIR=$build/e2e-shots
game=$build/game/boardgame
work=$(mktemp -d)
at_exit "rm -rf '$work'"
cp -r "$data/image" "$data/audio" "$data/mivo" "$work/"
mkdir -p "$work/demo"
printf '1 21 A ladder straight up.\n36 23 A chute straight down.\n' > "$work/demo/demo.config"
start_x
cd "$work"
export SDL_AUDIODRIVER=dummy

SDL_AUDIODRIVER=dummy "$game" demo > demo.out 2> demo.err &
pid=$!
win=$(find_window)
# Drawn when the blue token, drawn last, shows on square 0.
demo_drawn() { shot "$win" demo.png && [ "$(pixel demo.png 34 471)" = 0000FF ]; }
wait_until 20 "the demo board" demo_drawn
kill -TERM $pid # SDL turns it into a quit request, which the spinning die takes
wait $pid || fail "the game did not end cleanly after its window was asked to close"
cat > demo.want <<'OUT'
Board format = 32
At start 62, 448 to 62, 352
Unrotated chute format = 32
Roto format = 32
Roto format = 32
Player 0 is set to (4, 436) w = 20  h = 20
Player 1 is set to (24, 456) w = 20  h = 20
SDL QUIT called 
OUT
diff demo.want demo.out || fail "printed lines of the demo board"
[ -s demo.err ] && fail "unexpected messages: $(cat demo.err)"

expect_pixel demo.png 1 1 FFFFCC "top-left square"
expect_pixel demo.png 49 1 FFFFF0 "its neighbour"
expect_pixel demo.png 47 1 101010 "the line between them"
expect_pixel demo.png 600 400 000000 "the side panel"
expect_pixel demo.png 2 437 101010 "the left stroke of square 0's first digit"
expect_pixel demo.png 66 380 D57E29 "a rail of the ladder from 1 to 21"
expect_pixel demo.png 160 320 FF0000 "the wall of the chute from 36 to 23"
expect_pixel demo.png 166 320 E0E0E0 "the slide of the chute from 36 to 23"
size=$(identify -format '%wx%h' demo.png)
[ "$size" = 640x480 ] || fail "window is $size"

# The default version: one ladder line per ladder, three lines per chute.
"$game" > mivo.out 2> mivo.err &
pid=$!
win=$(find_window)
mivo_drawn() { import -window "$win" mivo.png && [ "$(pixel mivo.png 34 471)" = 0000FF ]; }
wait_until 20 "the mivo board" mivo_drawn
kill -TERM $pid
wait $pid || true
ladders=$(awk '$2 > $1' mivo/mivo.config | wc -l)
chutes=$(awk '$2 <= $1' mivo/mivo.config | wc -l)
[ "$(grep -c '^At start' mivo.out)" = "$ladders" ] || fail "ladder lines of mivo"
[ "$(grep -c '^Unrotated chute format = 32$' mivo.out)" = "$chutes" ] || fail "chute lines of mivo"
[ -s mivo.err ] && fail "mivo printed problems: $(cat mivo.err)"

# A version whose file is missing stops the game with a message.
if "$game" nosuch > none.out 2> none.err; then fail "a missing version started"; fi
grep -q 'Cannot open the version file ./nosuch/nosuch.config' none.err || fail "missing version message"
# Start-up failures: each a message and status 1.
expect_start_failure() { # NAME PATTERN, with the game's environment prepared
    status=0
    "$game" demo > fail.out 2> fail.err || status=$?
    [ "$status" = 1 ] || fail "$1: status $status, expected 1"
    grep -q "$2" fail.out fail.err || fail "$1: no message matching '$2'"
}
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/nonexistent/audio expect_start_failure "no audio device" "^Mix_OpenAudio error$"
[ "$(tail -c 1 fail.out | od -An -c | tr -d ' ')" != '\n' ] || fail "the audio error text ends without a line end"
grep -q '^Oh My Goodness, an error : ' fail.out || fail "the audio error text: $(cat fail.out)"
# SDL itself cannot start: its message and status -1 (255 to the shell).
status=0
SDL_VIDEODRIVER=nosuch "$game" demo > fail.out 2> fail.err || status=$?
[ "$status" = 255 ] || fail "SDL cannot start: status $status, expected 255"
grep -q '^Could not initialize SDL: .*\.$' fail.out || fail "SDL cannot start: $(cat fail.out fail.err)"
mv image/6x13.fnt font.keep
expect_start_failure "missing font" "Cannot read the 3328 bytes of the text font ./image/6x13.fnt"
# Started in the wrong folder, the first file missed says where the game looked.
grep -q "^boardgame: looked in $PWD for image/6x13.fnt; run from the folder that holds the version folders: data/" fail.err ||
    fail "no folder hint for a missing font: $(cat fail.err)"
head -c 3327 font.keep > image/6x13.fnt
expect_start_failure "short font" "Cannot read the 3328 bytes of the text font ./image/6x13.fnt"
mv font.keep image/6x13.fnt
echo "e2e board: ok"
