#!/usr/bin/env bash
# Builds two commits side by side and checks that their programs behave the
# same: byte-identical output and pixel-identical screenshots of
#   - a whole game with fixed rolls (standard output, standard error, status),
#     screenshots of its start and of the middle of the game,
#   - the panel's notes: one that is not valid UTF-8 (Latin-1 bytes) and one
#     in plain ASCII, each screenshotted while its slide shows it,
#   - boardcheck's report and board picture of mivo,
#   - squarevox over a small version with a stand-in speech program,
#   - chuteview's first frame and its frames after arrow keys.
# The data files each commit's runs read (image/, audio/ and the demo's
# voice, a copy of the rattle) are that commit's own and are not compared: a
# new glyph file or a remade sound is no change of behaviour.
# The rolls are fixed and the waits shortened by tests/steady_shim.cpp of
# this tree, built apart, so both commits run under the same shim.
#   tools/compare_builds.sh [OLD [NEW]]    (defaults: ce51a93 and HEAD)
# Exit status 0 when everything is identical, 1 when anything differs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
old=${1:-ce51a93}
new=${2:-HEAD}
source "$here/tests/e2e_lib.sh"
work=$(mktemp -d)
at_exit "cd /; git -C '$here' worktree remove --force '$work/old' 2>/dev/null; git -C '$here' worktree remove --force '$work/new' 2>/dev/null; rm -rf '$work'"
jobs=$(nproc)

g++ -std=c++17 -O2 -shared -fPIC "$here/tests/steady_shim.cpp" -o "$work/steady_shim.so" -ldl
mkdir -p "$work/shim/tests" && cp "$work/steady_shim.so" "$work/shim/tests/libsteady_shim.so"

for side in old new; do
    commit=${!side}
    git -C "$here" worktree add --detach "$work/$side" "$commit" >/dev/null 2>&1 ||
        fail "no worktree for $commit"
    echo "$side: $(git -C "$work/$side" log --oneline -1)"
    cmake -S "$work/$side" -B "$work/$side/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$work/$side/build" -j"$jobs" --target boardgame chuteview squarevox boardcheck >/dev/null ||
        fail "$side does not build"
done
start_x

# A small version played with fixed rolls of 6: ladders at 6 and 59, a
# chute at 50; Player 1 wins on the eleventh turn.
game_version() { # FOLDER
    mkdir -p "$1/demo"
    printf '6 38 Up a long way!\n50 47 Down a little.\n59 93 Almost there, keep going!\n' > "$1/demo/demo.config"
    cp "$1/audio/ambient_-tolvik-57.wav" "$1/demo/square06.wav"
}

# stable_shot FILE: a screenshot once the screen has stopped changing and
# the die is drawn: the game then waits for the space bar.
stable_shot() {
    local previous="$1.prev" i
    for ((i = 0; i < 400; i++)); do
        import -window root "$1"
        if [ -f "$previous" ] && [ "$(compare -metric AE "$1" "$previous" null: 2>&1 || true)" = 0 ] &&
            [ "$(pixel "$1" 560 184)" != 000000 ]; then
            rm -f "$previous"
            return 0
        fi
        cp "$1" "$previous"
        sleep 0.1
    done
    fail "the screen did not settle for $1"
}

run_game() { # SIDE
    local dir="$work/run-$1" out pid rolls=0
    mkdir -p "$dir/game/audio"
    # The fixed sounds only: the spoken clips under audio/say/ are read only
    # under --speak, and a commit that ships more of them plays the same.
    cp -r "$work/$1/data/image" "$dir/game/"
    cp "$work/$1/data/audio/"*.wav "$dir/game/audio/"
    game_version "$dir/game"
    cd "$dir/game"
    out="$dir/game.out"
    SDL_AUDIODRIVER=dummy VARNOWICK_DIE=6 VARNOWICK_DELAY_DIVISOR=10 steady "$work/shim" \
        stdbuf -oL "$work/$1/build/game/boardgame" demo > "$out" 2> "$dir/game.err" &
    pid=$!
    win=$(find_window)
    stable_shot "$dir/start.png"
    while kill -0 "$pid" 2>/dev/null; do
        # The middle of the game: Player 1's fourth roll, every move before
        # it done and the die waiting.
        if (( rolls == 6 )); then stable_shot "$dir/middle.png"; fi
        xdotool keydown --window "$win" space keyup --window "$win" space 2>/dev/null || true
        rolls=$((rolls + 1))
        for _ in $(seq 600); do
            (( $(grep -c '^Got a keyup of 32$' "$out" || true) >= rolls )) && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
    done
    local status=0
    wait "$pid" || status=$?
    echo "status $status" >> "$dir/game.out"
}

# note_shot FILE: the note area of the panel once it holds a note and has
# stopped changing (the note stays while its slide runs).
note_shot() {
    local previous="$1.prev" i
    for ((i = 0; i < 600; i++)); do
        import -window root -crop 150x90+485+295 +repage "$1"
        if [ "$(convert "$1" -format '%[fx:maxima.r]' info:)" != 0 ] && [ -f "$previous" ] &&
            [ "$(compare -metric AE "$1" "$previous" null: 2>&1 || true)" = 0 ]; then
            rm -f "$previous"
            return 0
        fi
        cp "$1" "$previous"
        sleep 0.05
    done
    fail "no note appeared for $1"
}

# Two notes shown by the game: Player 1 rolls 6 onto a ladder whose note is
# Latin-1 bytes, Player 2 rolls 1 onto one whose note is ASCII; then Escape
# ends the game while the die spins.
run_notes() { # SIDE
    local dir="$work/run-$1" pid status=0
    mkdir -p "$dir/notes/notes"
    cp -r "$work/$1/data/image" "$work/$1/data/audio" "$dir/notes/"
    printf '6 38 Caf\xe9 cr\xe8me br\xfbl\xe9e, na\xefve \xa9\xff\x80 \xc3 end\n1 20 Plain ASCII, wrapped over two lines of the panel.\n' \
        > "$dir/notes/notes/notes.config"
    cd "$dir/notes"
    SDL_AUDIODRIVER=dummy VARNOWICK_DIE=6,1 VARNOWICK_DELAY_DIVISOR=2 steady "$work/shim" \
        stdbuf -oL "$work/$1/build/game/boardgame" notes > "$dir/notes.out" 2> "$dir/notes.err" &
    pid=$!
    win=$(find_window)
    stable_shot "$dir/notes-start.png"
    xdotool keydown --window "$win" space keyup --window "$win" space
    note_shot "$dir/note-latin1.png"
    stable_shot "$dir/notes-after1.png"
    xdotool keydown --window "$win" space keyup --window "$win" space
    note_shot "$dir/note-ascii.png"
    stable_shot "$dir/notes-after2.png"
    xdotool keydown --window "$win" Escape keyup --window "$win" Escape
    wait "$pid" || status=$?
    echo "status $status" >> "$dir/notes.out"
    rm -f "$dir"/notes-*.png
}

run_boardcheck() { # SIDE
    local dir="$work/run-$1" status=0
    cd "$work/$1/data"
    "$work/$1/build/boardcheck/boardcheck" mivo > "$dir/boardcheck.out" 2> "$dir/boardcheck.err" || status=$?
    echo "status $status" >> "$dir/boardcheck.out"
    status=0
    "$work/$1/build/boardcheck/boardcheck" --picture "$dir/board.png" mivo \
        > "$dir/picture.out" 2> "$dir/picture.err" || status=$?
    sed -i "s|$dir|DIR|" "$dir/picture.out"
    echo "status $status" >> "$dir/picture.out"
}

# squarevox with a stand-in speech program that always says the same, and
# sox without its random dither.
run_squarevox() { # SIDE
    local dir="$work/run-$1/vox" status=0
    mkdir -p "$dir/bin" "$dir/v"
    [ -f "$work/said.wav" ] || SOX_OPTS=--no-dither sox -n -r 16000 -b 16 -c 1 "$work/said.wav" synth 0.3 sine 440
    printf '#!/bin/sh\n# festival --script SCRIPT TEXT -o OUT\ncp %s "$5"\n' "$work/said.wav" > "$dir/bin/festival"
    chmod +x "$dir/bin/festival"
    printf '7 3 The note\n3 9 Go up the ladder\n3 1 Slide all the way down\nx y broken\n42 50 Forty-two\n' > "$dir/v/v.config"
    cd "$dir"
    PATH="$dir/bin:$PATH" SOX_OPTS=--no-dither "$work/$1/build/squarevox/squarevox" v > ../vox.out 2> ../vox.err || status=$?
    echo "status $status" >> ../vox.out
}

run_chuteview() { # SIDE
    local dir="$work/run-$1" pid status=0 n=0
    cd "$work/$1/data"
    "$work/$1/build/chuteview/chuteview" > "$dir/chuteview.out" 2> "$dir/chuteview.err" &
    pid=$!
    wid=$(find_window)
    xdotool windowfocus --sync "$wid"
    for keys in "" Right "Up Up" "Left Left Left Left Left Left" "Down Down Down Down"; do
        [ -z "$keys" ] || xdotool key $keys
        n=$((n + 1))
        sleep 0.5
        import -window root "$dir/chuteview-$n.png"
    done
    xdotool key Escape
    wait "$pid" || status=$?
    echo "status $status" >> "$dir/chuteview.out"
}

for side in old new; do
    mkdir -p "$work/run-$side"
    run_game "$side"
    run_notes "$side"
    run_boardcheck "$side"
    run_squarevox "$side"
    run_chuteview "$side"
done

differences=0
cd "$work"
inputs=(-path '*/image/*' -o -path '*/audio/*' -o -path './game/demo/square06.wav')
for file in $(cd run-old && find . -type f -not \( "${inputs[@]}" \) | sort); do
    if [ ! -f "run-new/$file" ]; then
        echo "DIFFERS: $file is missing from $new"
        differences=$((differences + 1))
    elif [[ $file == *.png ]]; then
        ae=$(compare -metric AE "run-old/$file" "run-new/$file" null: 2>&1 || true)
        if [ "$ae" = 0 ]; then echo "same pixels: $file"; else
            echo "DIFFERS: $file, $ae pixels"
            differences=$((differences + 1))
        fi
    elif cmp -s "run-old/$file" "run-new/$file"; then
        echo "same bytes:  $file ($(wc -c < "run-old/$file") bytes)"
    else
        echo "DIFFERS: $file"
        diff "run-old/$file" "run-new/$file" | head -20 || true
        differences=$((differences + 1))
    fi
done
for file in $(cd run-new && find . -type f -not \( "${inputs[@]}" \) | sort); do
    [ -f "run-old/$file" ] || { echo "DIFFERS: $file only in $new"; differences=$((differences + 1)); }
done
if [ -n "${KEEP_DIR:-}" ]; then rm -rf "$KEEP_DIR" && cp -r "$work" "$KEEP_DIR" && rm -rf "$KEEP_DIR/old" "$KEEP_DIR/new"; fi
(( differences == 0 )) || { echo "$differences differences between $old and $new"; exit 1; }
echo "$old and $new: identical output and screenshots"
