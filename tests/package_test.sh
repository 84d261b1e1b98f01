#!/usr/bin/env bash
# The Debian package as a user meets it: installed with apt-get, played from an
# empty folder in a private X server, a board of the user's own checked, voiced
# and played by name, the menu entry, metainfo and manual checked, then removed
# without a trace outside the user's folder.
#   tests/package_test.sh DEB BUILD_DIR DATA_DIR     (as root, or with sudo)
set -euo pipefail
deb=$(realpath "$1") build=$(realpath "$2") data=$(realpath "$3")
source "$(dirname "$0")/e2e_lib.sh"
SHOTS_DIR=$build/package-shots
apt_get=$(realpath "$(dirname "$0")/../tools/apt_get.sh")
apt() { "$apt_get" -y -q "$@" >/dev/null; }

lintian --fail-on error "$deb" 2>/dev/null || fail "lintian reports errors"
dpkg-query -W varnowick >/dev/null 2>&1 && fail "varnowick is installed already"
apt install "$deb" || fail "apt-get install $deb"
at_exit "dpkg-query -W varnowick >/dev/null 2>&1 && apt remove varnowick"
mapfile -t installed < <(dpkg -L varnowick)

scratch=$(mktemp -d)
at_exit "rm -rf '$scratch'"
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data XDG_RUNTIME_DIR=$scratch/run
export PATH=/usr/games:$PATH SDL_AUDIODRIVER=dummy
mine=$XDG_DATA_HOME/varnowick
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$scratch/empty" "$scratch/out"
start_x

# run_game NAME COMMAND...: starts the game, waits until both tokens stand on
# square 0, takes a screenshot and hands the game a key (queued until the die
# spins); sets $pid. Output in $scratch/out/NAME.{out,err,png}.
run_game() {
    local name=$1 out=$scratch/out/$1
    shift
    "$@" > "$out.out" 2> "$out.err" &
    pid=$!
    win=$(find_window)
    for _ in $(seq 200); do
        grep -q -F 'Player 1 is set to (24, 456)' "$out.out" && break
        sleep 0.1
    done
    grep -q -F 'Player 1 is set to (24, 456)' "$out.out" || fail "$name: the tokens were never set"
    sleep 0.5 # the line comes before the tokens reach the screen
    shot "$win" "$out.png"
    xdotool key --window "$win" "$key"
}
# game_ends SECONDS: waits for $pid, which must end within SECONDS; sets $status.
game_ends() {
    for _ in $(seq $(($1 * 10))); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "the game did not end within $1 s"
    status=0
    wait "$pid" || status=$?
}

# The installed game, started from an empty folder, draws mivo's board as the
# build tree's game does in the checkout; Escape ends it with success.
key=Escape
(cd "$data" && run_game built stdbuf -oL "$build/game/boardgame" && game_ends 20)
cd "$scratch/empty"
run_game installed varnowick mivo
game_ends 20
[ "$status" = 0 ] || fail "Escape: status $status"
[ "$(tail -n 1 "$scratch/out/installed.out")" = "Quit Button pressed" ] || fail "Escape did not end the game"
differ=$(compare -metric AE -extract 480x480+0+0 "$scratch/out/built.png" "$scratch/out/installed.png" null: 2>&1) || true
[ "$differ" = 0 ] || fail "the installed game draws mivo's board differently: $differ pixels"
[ -z "$(ls -A "$scratch/empty")" ] || fail "the game left files in its folder: $(ls -A "$scratch/empty")"

# A board of the user's own: every first roll climbs to 99.
mkdir -p "$mine/tiny"
for s in 1 2 3 4 5 6; do echo "$s 99 Straight to the top." >> "$mine/tiny/tiny.config"; done
varnowick-boardcheck tiny > "$scratch/out/check1.out" || fail "boardcheck of a new board: status $?"
grep -q "none made yet" "$scratch/out/check1.out" || fail "boardcheck: no voices expected yet"
varnowick-squarevox tiny || fail "squarevox: status $?"
for s in 1 2 3 4 5 6; do
    [ -s "$mine/tiny/square0$s.wav" ] || fail "squarevox wrote no $mine/tiny/square0$s.wav"
done
[ ! -e "$mine/tiny/temp.wav" ] || fail "squarevox left temp.wav in the user's version"
(cd "$mine" && varnowick-boardcheck ./tiny > "$scratch/out/check2.out") || fail "boardcheck ./tiny: status $?"
[ "$(grep -c 'note up to date' "$scratch/out/check2.out")" = 6 ] || fail "the voices are not up to date"
key=space
run_game tiny varnowick tiny
game_ends 90
[ "$status" = 0 ] || fail "a win is reported as a failure"
[ "$(tail -n 1 "$scratch/out/tiny.out")" = "Player 1 wins!" ] || fail "the tiny game was not won"

# A real failure stays one: the audio device cannot be opened.
status=0
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/nonexistent/audio varnowick tiny > /dev/null 2> "$scratch/out/fail.err" || status=$?
[ "$status" = 1 ] || fail "no audio device: status $status"
grep -q 'the game ended with status 1' "$scratch/out/fail.err" || fail "no audio device: no message"

# The user's version wins a name clash; shipped versions stay unchanged.
mkdir "$mine/mivo"
echo "4 25 My own mivo." > "$mine/mivo/mivo.config"
# Whole reports to a file: grep -q would leave early and close the pipe
# under a checker that fails when its report cannot be written.
varnowick-boardcheck mivo > "$scratch/out/clash.out" || fail "varnowick-boardcheck on the user's mivo"
grep -q 'in file order: 1$' "$scratch/out/clash.out" || fail "the shipped mivo won over the user's"
rm -r "${mine:?}/mivo"
if varnowick-squarevox mivo 2> "$scratch/out/shipped.err"; then fail "squarevox changed a shipped version"; fi
[ -z "$(ls -A "$scratch/empty")" ] || fail "the tools left files in their folder: $(ls -A "$scratch/empty")"
[ -z "$(ls -A "$XDG_RUNTIME_DIR")" ] || fail "working folders left behind: $(ls -A "$XDG_RUNTIME_DIR")"

desktop-file-validate /usr/share/applications/org.varnowick.varnowick.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.varnowick.varnowick.metainfo.xml >/dev/null ||
    fail "metainfo: $(appstreamcli validate --no-net /usr/share/metainfo/org.varnowick.varnowick.metainfo.xml)"
MANWIDTH=80 man varnowick > "$scratch/out/man.txt" 2>/dev/null || fail "man varnowick"
grep -q 'squarevox version' "$scratch/out/man.txt" || fail "man varnowick shows no tools"
man -w varnowick-boardcheck >/dev/null || fail "man varnowick-boardcheck"

cd /
apt remove varnowick || fail "apt-get remove varnowick"
for path in "${installed[@]:1}"; do # after /.
    [ -e "$path" ] || [ -L "$path" ] || continue
    [ -d "$path" ] && dpkg-query -S "$path" >/dev/null 2>&1 && continue # another package's folder
    fail "left behind by the removal: $path"
done
[ -s "$mine/tiny/square01.wav" ] || fail "the removal touched the user's folder"
echo "package: installed, played, checked and removed"
