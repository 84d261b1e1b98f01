#!/usr/bin/env bash
# The Windows programs of the zip's folder under wine, in a private X server,
# against the Linux build: the same start screen pixel for pixel and the same
# diagnostics (in stdout.txt beside the .exe), Escape while the die spins,
# a short game to the win, chuteview, and boardcheck's report. The wine
# prefix lives in the build folder; its first start takes a while.
#   wine_e2e.sh WIN_BUILD_DIR STAGE_DIR LINUX_BUILD_DIR DATA_DIR
set -euo pipefail
build=$(realpath "$1") stage=$(realpath "$2") linux=$(realpath "$3") data=$(realpath "$4")
source "$(dirname "$0")/e2e_lib.sh"
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" SDL_AUDIODRIVER=dummy
scratch=$(mktemp -d)
at_exit "rm -rf '$scratch'"
start_x
at_exit "wineserver -k 2>/dev/null || true"
SHOTS_DIR=$build/wine-shots
rm -rf "$SHOTS_DIR"

mkdir -p "$WINEPREFIX"
timeout 300 wineboot -i >/dev/null 2>&1 || fail "wine could not set up its prefix in $WINEPREFIX"

# The programs run from a copy of the folder, as a player unzips it.
win=$scratch/win lin=$scratch/lin
cp -r "$stage" "$win"
cp -r "$data" "$lin"
now() { date +%s.%N; }

# wait_line FILE TEXT [SECONDS]: waits until FILE has a line starting with TEXT.
wait_line() {
    for _ in $(seq $(( ${3:-60} * 20 ))); do
        grep -q -F -- "$2" "$1" 2>/dev/null && return 0
        sleep 0.05
    done
    fail "no '$2' in $1: $(tail -n 3 "$1" 2>/dev/null)"
}
# count FILE TEXT: lines of FILE holding TEXT.
count() { grep -c -F -- "$2" "$1" 2>/dev/null || true; }

# A windowed program under wine: SDL2 there has only its Windows video driver.
run_win() { (cd "$win" && SDL_VIDEODRIVER= exec wine "$@") & pid=$!; }
# key WINDOW KEY: focuses the window and sends one press and release.
key() { xdotool windowfocus --sync "$1" && xdotool key --delay 100 "$2"; }
# end_status: waits up to 30 s for $pid to end and sets $status.
end_status() {
    for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "still running 30 s after its last key"
    status=0; wait "$pid" || status=$?
}

# --- Start screen and diagnostics: the Linux game first, then the Windows one,
# each quit with Escape while the die spins.
cd "$lin"
t0=$(now)
stdbuf -oL "$linux/game/boardgame" > lin.out 2> lin.err & pid=$!
wait_line lin.out "Player 1 is set to (24, 456)" 20
linux_start=$(echo "$(now) - $t0" | bc)
w=$(find_window)
sleep 0.5
shot "$w" "$scratch/start-linux.png"
key "$w" Escape
end_status
(( status == 0 )) || fail "the Linux game ended with status $status"

rm -f "$win/stdout.txt" "$win/stderr.txt"
t0=$(now)
run_win boardgame.exe
wait_line "$win/stdout.txt" "Player 1 is set to (24, 456)" 120
wine_start=$(echo "$(now) - $t0" | bc)
w=$(find_window 60)
sleep 1
shot "$w" "$scratch/start-wine.png"
# The spinning die shows whatever face the time's seed gives; the rest is the same.
for s in linux wine; do
    convert "$scratch/start-$s.png" -fill black -draw "rectangle 536,160 583,207" "$scratch/nodie-$s.png"
done
diff=$(compare -metric AE "$scratch/nodie-linux.png" "$scratch/nodie-wine.png" null: 2>&1 || true)
[ "$diff" = 0 ] || fail "the start screens differ in $diff pixels besides the die (see $SHOTS_DIR)"
lit=$(convert "$scratch/start-wine.png" -crop 48x48+536+160 +repage -format "%[fx:maxima.r+maxima.g+maxima.b>0?1:0]" info:)
(( lit == 1 )) || fail "no die on the Windows start screen"
key "$w" Escape
end_status
(( status == 0 )) || fail "Escape: boardgame.exe ended with status $status"
[ -e "$win/stderr.txt" ] && fail "stderr.txt was left: '$(cat "$win/stderr.txt")'"
tr -d '\r' < "$win/stdout.txt" | diff "$lin/lin.out" - || fail "stdout.txt differs from the Linux game's output"
echo "boardgame.exe: the Linux start screen (all but the die's face) and diagnostics; Escape: status 0, no stderr.txt"

# --- A short game: Player 1's first roll climbs one row (squares 1 to 6),
# from there every roll lands on a ladder to 99, whatever the die shows.
mkdir "$win/e2e"
for s in 1 2 3 4 5 6; do echo "$s $((19 - s)) Square $s climbs one row." >> "$win/e2e/e2e.config"; done
for s in $(seq 14 24); do echo "$s 99 Up to the very top!" >> "$win/e2e/e2e.config"; done
out=$win/stdout.txt
rm -f "$out" "$win/stderr.txt"
t0=$(now)
run_win boardgame.exe e2e
wait_line "$out" "Player 1 is set to (24, 456)" 120
warm_start=$(echo "$(now) - $t0" | bc)
echo "start-up to the first roll: Linux ${linux_start} s; wine ${wine_start} s (first start), ${warm_start} s (second)"
w=$(find_window 60)
# roll N: a key that is only printed (the die spins), then the space bar.
roll() {
    local a=$(count "$out" "Got a keyup of 97")
    key "$w" a
    for _ in $(seq 600); do (( $(count "$out" "Got a keyup of 97") > a )) && break; sleep 0.05; done
    key "$w" space
    for _ in $(seq 600); do (( $(count "$out" "Got a keyup of 32") >= $1 )) && break; sleep 0.05; done
    (( $(count "$out" "Got a keyup of 32") >= $1 )) || fail "roll $1 was not taken"
}
roll 1
wait_line "$out" "Trying to play ./e2e/square0" 30
sleep 0.4
shot "$w" "$scratch/game-note.png"
lit=$(convert "$scratch/game-note.png" -crop 132x13+490+300 +repage -format "%[fx:maxima.r+maxima.g+maxima.b>0?1:0]" info:)
(( lit == 1 )) || fail "no ladder note in the panel during the climb"
roll 2
roll 3
end_status
(( status == 1 )) || fail "the win ended with status $status"
[ "$(tr -d '\r' < "$out" | tail -n 1)" = "Player 1 wins!" ] || fail "last line: $(tail -n 1 "$out")"
[ -e "$win/stderr.txt" ] && fail "stderr.txt after the game: $(cat "$win/stderr.txt")"
echo "boardgame.exe: a ladder's note and Player 1 wins! (status 1)"

# --- chuteview.exe: the chute and its white bar, Escape ends it.
rm -f "$out"
run_win chuteview.exe
w=$(find_window 60)
sleep 1
shot "$w" "$scratch/chuteview.png"
[ "$(pixel "$scratch/chuteview.png" 210 313)" = 990000 ] || fail "chuteview.exe: no chute's lowest row at 313"
[ "$(pixel "$scratch/chuteview.png" 300 340)" = FFFFFF ] || fail "chuteview.exe: no white bar"
key "$w" Escape
end_status
(( status == 0 )) || fail "chuteview.exe: Escape ended with status $status"
[ "$(tr -d '\r' < "$out")" = "Quit Button pressed" ] || fail "chuteview.exe stdout.txt: $(cat "$out")"
echo "chuteview.exe: the chute, Escape: status 0"

# --- boardcheck.exe: the same report as on Linux, but for its line ends.
lstatus=0; (cd "$lin" && "$linux/boardcheck/boardcheck" mivo > check.txt) || lstatus=$?
wstatus=0; (cd "$win" && timeout 120 wine boardcheck.exe mivo > check.txt) || wstatus=$?
(( lstatus == wstatus )) || fail "boardcheck: status $wstatus under wine, $lstatus on Linux"
tr -d '\r' < "$win/check.txt" | cmp - "$lin/check.txt" || fail "boardcheck.exe mivo prints another report"
# The Windows libraries hold no PNG library: the picture is refused, plainly.
pstatus=0; (cd "$win" && timeout 120 wine boardcheck.exe --picture b.png mivo 2> pic.err) || pstatus=$?
(( pstatus == 2 )) && grep -q "not available in this build" "$win/pic.err" ||
    fail "boardcheck.exe --picture: status $pstatus, $(cat "$win/pic.err")"
echo "boardcheck.exe mivo: the Linux report ($(wc -l < "$lin/check.txt") lines, status $lstatus)"
