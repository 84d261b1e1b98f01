#!/usr/bin/env bash
# Files that are not what they should be, through the real programs in a
# private X server: a FIFO as a fixed sound (the game plays on and says so)
# and as the font (a message, status 1), a short AIFF header as the voice of
# the square a player reaches (the game goes on to its win), a version file
# that is a link to /dev/zero, chute pictures whose header claims more than
# they hold (a message, status 1, no signal), and no display at all; and
# voices in mu-law, A-law and ADPCM, which the game plays.
#   e2e_guards.sh BUILD_DIR DATA_DIR
set -euo pipefail
build=$(realpath "$1") data=$(realpath "$2")
source "$(dirname "$0")/e2e_lib.sh"
game=$build/game/boardgame
view=$build/chuteview/chuteview
work=$(mktemp -d)
at_exit "rm -rf '$work'"
cp -r "$data/image" "$data/audio" "$data/chute1.xpm" "$work/"
start_x
cd "$work"
export SDL_AUDIODRIVER=dummy

# expect_end WHAT STATUS MESSAGE COMMAND...: the command ends within 20 s
# with STATUS and MESSAGE as a whole line on standard error.
expect_end() {
    local what=$1 want=$2 line=$3 status=0
    shift 3
    timeout 20 "$@" > run.out 2> run.err || status=$?
    [ "$status" = "$want" ] || fail "$what: status $status, expected $want: $(cat run.err)"
    grep -qxF "$line" run.err || fail "$what: no line '$line' in: $(cat run.err)"
}

# A version whose every first roll climbs to 99, each square's voice a short
# AIFF header whose chunk steps back onto itself (the mixer's AIFF loader
# spins on it forever, deaf to SIGTERM), and player 1's
# turn sound a FIFO without a writer (opening it would block).
mkdir up
for s in 1 2 3 4 5 6; do
    echo "$s 99 Up!" >> up/up.config
    printf 'FORM\0\0\0\020AIFFJUNK\377\377\377\370' > up/square0$s.wav
done
rm audio/player1.wav && mkfifo audio/player1.wav
stdbuf -oL "$game" up > game.out 2> game.err &
pid=$!
win=$(find_window)
for _ in $(seq 600); do grep -q '^Player 1 is set to' game.out && break; sleep 0.1; done
roll_to_win "AIFF voice" "$win"
square=$(sed -n 's|^Trying to play \./up/square0\([1-6]\)\.wav$|\1|p' game.out)
[ -n "$square" ] || fail "AIFF voice: no square's voice was tried: $(cat game.out)"
diff - game.err <<END || fail "AIFF voice and FIFO sound: standard error as above"
Cannot use the sound ./audio/player1.wav: it is a FIFO (named pipe), not a file
Cannot use the sound ./up/square0$square.wav: it is not a RIFF WAVE file
END

rm audio/player1.wav && cp "$data/audio/player1.wav" audio/

# Voices in every other encoding the mixer decodes: the game loads and plays
# the one it reaches, and boardcheck times each of them.
mkdir coded
encodings=(mu-law a-law ms-adpcm ima-adpcm mu-law ima-adpcm)
for s in 1 2 3 4 5 6; do
    echo "$s 99 Up!" >> coded/coded.config
    sox "$data/audio/player1.wav" -t wav -e "${encodings[s - 1]}" coded/square0$s.wav
done
stdbuf -oL "$game" coded > game.out 2> game.err &
pid=$!
win=$(find_window)
for _ in $(seq 600); do grep -q '^Player 1 is set to' game.out && break; sleep 0.1; done
roll_to_win "coded voices" "$win"
grep -q '^Trying to play \./coded/square0[1-6]\.wav$' game.out || fail "coded voices: none was tried: $(cat game.out)"
[ -s game.err ] && fail "coded voices: $(cat game.err)"
"$build/boardcheck/boardcheck" coded > report.txt || true
[ "$(grep -cE '^  square0[1-6]\.wav  [0-9]+\.[0-9]+ s ' report.txt)" = 6 ] ||
    fail "boardcheck does not time every coded voice: $(grep 'square0' report.txt)"

# The font as a FIFO; the version file as a link to an endless device.
mv image/6x13.fnt font.keep && mkfifo image/6x13.fnt
expect_end "FIFO font" 1 \
    "Cannot read the 3328 bytes of the text font ./image/6x13.fnt: it is a FIFO (named pipe), not a file" \
    "$game" up
rm image/6x13.fnt && mv font.keep image/6x13.fnt
mkdir zero && ln -s /dev/zero zero/zero.config
expect_end "version file on /dev/zero" 1 \
    "Cannot open the version file ./zero/zero.config: it is a device, not a file" "$game" zero

# Chute pictures that claim more rows or colours than they hold: the picture
# loader would read past its buffers (SIGSEGV); the guard refuses them.
picture() { # HEADER COLOUR_LINES ROWS
    printf '/* XPM */\nstatic char *chute1_xpm[] = {\n"%s",\n' "$1" > chute1.xpm
    for _ in $(seq "$2"); do printf '". c #990000",\n' >> chute1.xpm; done
    for _ in $(seq "$3"); do printf '"....................",\n' >> chute1.xpm; done
    printf '};\n' >> chute1.xpm
}
picture "20 60 1 1" 1 40
expect_end "chute picture short of rows" 1 \
    "Cannot load the chute picture ./chute1.xpm: it declares 60 rows but holds 40" "$view"
picture "20 40 9 1" 1 40
expect_end "chute picture short of colours" 1 \
    "Cannot load the chute picture ./chute1.xpm: its colour 2 \"....................\" is not a key and a colour" "$view"

# No display at all, and none chosen: a message and status 1 at once (2 s).
nodisplay="Cannot open a window: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)"
cp "$data/chute1.xpm" .
for program in "$game up" "$view"; do
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 2 $program > run.out 2> run.err || status=$?
    [ "$status" = 1 ] || fail "$program without a display: status $status (124: still running after 2 s)"
    grep -qxF "$nodisplay" run.err || fail "$program without a display: $(cat run.err)"
done
# A display named but not there: SDL would fall back to a driver that shows
# nothing; that too ends at once.
status=0
DISPLAY=:4242 timeout 2 env -u SDL_VIDEODRIVER "$view" > run.out 2> run.err || status=$?
[ "$status" = 1 ] || fail "an unreachable display: status $status"
grep -qF "Cannot open a window: no display can be reached" run.err || fail "an unreachable display: $(cat run.err)"
echo "e2e guards: ok"
