#!/usr/bin/env bash
# Bad input through the real programs: every malformed version file of the
# reader's fuzz corpus through the game and squarevox (the game starts, draws
# its board and reports the same problems as squarevox), long version names
# and names full of shell characters, a game without its sound files played
# to its win, and a chute picture that is too small or not a picture. The
# missing font, short font, missing version and missing audio device are in
# e2e_board.sh.
#   e2e_bad_input.sh BUILD_DIR DATA_DIR
set -euo pipefail
build=$(realpath "$1") data=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e_lib.sh"
game=$build/game/boardgame
vox=$build/squarevox/squarevox
view=$build/chuteview/chuteview
work=$(mktemp -d)
at_exit "rm -rf '$work'"
cp -r "$data/image" "$data/audio" "$work/"
# A stand-in speech program that fails at once: only the reader's problems
# are compared here, and nothing may be spoken.
mkdir "$work/bin"
printf '#!/bin/sh\nexit 1\n' > "$work/bin/festival"
chmod +x "$work/bin/festival"
start_x # for chuteview
cd "$work"
export SDL_AUDIODRIVER=dummy

# start_game NAME: starts the game on version NAME on SDL's dummy video driver
# (no X server to share or lose), waits (60 s at most) until both tokens are
# set up, so the board is drawn, asks it to quit as a window close does, and
# leaves its status in $status, its output in game.out and game.err.
start_game() {
    SDL_VIDEODRIVER=dummy stdbuf -oL "$game" "$1" > game.out 2> game.err &
    local pid=$! ready=""
    for _ in $(seq 600); do
        grep -q '^Player 1 is set to' game.out && { ready=1; break; }
        kill -0 $pid 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$ready" ] && kill -0 $pid 2>/dev/null; then
        kill -KILL $pid
        fail "no board after 60 s: $(cat game.out game.err)"
    fi
    kill -TERM $pid 2>/dev/null || true
    status=0
    wait $pid || status=$?
}

# A drawn board: its one line about the board's format, and no signal. The
# quit request is read while the die spins: status 0.
expect_board() { # WHAT
    [ "$status" = 0 ] || fail "$1: status $status: $(cat game.err)"
    grep -qx 'Board format = 32' game.out || fail "$1: the board was not drawn"
}

# One version file of the corpus, in a folder of its own (so that several run
# at once): the game draws its board and reports what squarevox reports.
check_version_file() { # SEED
    local case_name vstatus
    case_name=$(basename "$1")
    mkdir "case-$case_name" && cd "case-$case_name" || fail "$case_name: no folder"
    ln -s ../image ../audio .
    mkdir v && cp "$1" v/v.config
    start_game v
    expect_board "version file $case_name"
    grep -v '^\./v/v\.config:[0-9]*: ' game.err && fail "$case_name: a problem line that does not name its file and line"
    vstatus=0
    PATH="$work/bin:$PATH" "$vox" v > vox.out 2> vox.err || vstatus=$?
    [ "$vstatus" -le 1 ] || fail "$case_name: squarevox ended with status $vstatus"
    grep '^\./v/v\.config:' vox.err > vox.problems || true
    diff game.err vox.problems || fail "$case_name: the game and squarevox read the file differently"
}

cases=0
pids=()
for seed in "$here"/fuzz/corpus/fuzz_records/*; do
    (check_version_file "$seed") &
    pids+=($!)
    cases=$((cases + 1))
    # Three at a time: the machine's cores stay shared with the other tests.
    if [ ${#pids[@]} -ge 3 ]; then wait "${pids[0]}" || fail "a version file case failed (above)"; pids=("${pids[@]:1}"); fi
done
for p in "${pids[@]}"; do wait "$p" || fail "a version file case failed (above)"; done
[ "$cases" -ge 20 ] || fail "only $cases version file cases"
# The nosound case below reads the corpus's last file.
cp -r "case-$(basename "$seed")/v" v

# Long names: 248 characters (a file name of 255 with .config) works;
# 300 cannot be a folder and is refused with the path named.
long=$(printf 'n%.0s' $(seq 248))
mkdir "$long" && printf '4 14 a ladder\n' > "$long/$long.config"
start_game "$long"
expect_board "a 248-character version name"
[ -s game.err ] && fail "248-character name: $(cat game.err)"
huge=$(printf 'h%.0s' $(seq 300))
status=0
"$game" "$huge" > game.out 2> game.err || status=$?
[ "$status" = 1 ] || fail "300-character name: status $status"
grep -qF "Cannot open the version file ./$huge/$huge.config" game.err || fail "300-character name: message"
status=0
"$vox" "$huge" > vox.out 2> vox.err || status=$?
[ "$status" = 1 ] || fail "squarevox, 300-character name: status $status"
grep -qxF "squarevox: cannot open the version file ./$huge/$huge.config" vox.err || fail "squarevox, 300-character name: message"
status=0
"$build/boardcheck/boardcheck" "$huge" > check.out 2> check.err || status=$?
[ "$status" = 2 ] || fail "boardcheck, 300-character name: status $status"
grep -qF "./$huge/$huge.config" check.err || fail "boardcheck, 300-character name: message"

# Shell characters in the name are only ever part of a path.
odd='a b;touch ran1 $(touch ran2) `touch ran3` & it'"'"'s|*'
mkdir "$odd" && printf '30 12 a chute\n' > "$odd/$odd.config"
start_game "$odd"
expect_board "a name with shell characters"
[ -s game.err ] && fail "name with shell characters: $(cat game.err)"
ls ran* > /dev/null 2>&1 && fail "a shell character in the name ran a command"

# Without its sound files the game still starts and draws its board.
mv audio audio.keep
cp -r v nosound && mv nosound/v.config nosound/nosound.config
start_game nosound
expect_board "no sound files"
# ... and plays a whole game to its win in silence: every first roll climbs
# to 99.
mkdir quiet
for s in 1 2 3 4 5 6; do echo "$s 99 Up!" >> quiet/quiet.config; done
VARNOWICK_DELAY_DIVISOR=10 steady "$build" stdbuf -oL "$game" quiet > game.out 2> game.err &
pid=$!
for _ in $(seq 600); do grep -q '^Player 1 is set to' game.out && break; sleep 0.1; done
win=$(find_window)
[ -n "$win" ] || fail "no sound files: no window"
roll_to_win "no sound files" "$win"
[ -s game.err ] && fail "no sound files: $(cat game.err)"
mv audio.keep audio

# chuteview with a chute picture that is too small, or not a picture at all.
printf '/* XPM */\nstatic char *x[] = {\n"20 39 1 1",\n". c #FF0000",\n' > chute1.xpm
for _ in $(seq 39); do printf '"....................",\n' >> chute1.xpm; done
printf '};\n' >> chute1.xpm
status=0
timeout 20 "$view" > view.out 2> view.err || status=$?
[ "$status" = 1 ] || fail "a 20 x 39 chute picture: status $status"
grep -qF "The chute picture ./chute1.xpm is 20 x 39 pixels; it must be at least 20 x 40" view.err ||
    fail "a 20 x 39 chute picture: $(cat view.err)"
head -c 300 /dev/urandom > chute1.xpm
status=0
timeout 20 "$view" > view.out 2> view.err || status=$?
[ "$status" = 1 ] || fail "a chute picture of random bytes: status $status"
grep -qF "Cannot load the chute picture ./chute1.xpm" view.err || fail "random chute picture: $(cat view.err)"
echo "e2e bad input: ok ($cases version files)"
