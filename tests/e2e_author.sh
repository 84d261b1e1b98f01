#!/usr/bin/env bash
# The board author's loop on the worked example of docs/authoring.md (a
# version with a deliberate mistake of each kind): boardcheck's report as
# docs/author/farm-report.txt holds it, the wrong folder, squarevox with the
# real festival, boardcheck again, and the board picture against a screenshot
# of the game's start.
#   e2e_author.sh BUILD_DIR DATA_DIR
set -euo pipefail
build=$(realpath "$1") data=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
docs=$here/../docs/author
source "$here/e2e_lib.sh"
SHOTS_DIR=$build/e2e-shots
check=$build/boardcheck/boardcheck
vox=$build/squarevox/squarevox
game=$build/game/boardgame
work=$(mktemp -d)
at_exit "rm -rf '$work'"
cp -r "$data/image" "$data/audio" "$work/"
mkdir "$work/farm"
cp "$docs/farm.config" "$work/farm/"
cd "$work"

# 1. The report before the voices, exactly as docs/author/farm-report.txt
# holds it (but for the times, which follow the shipped turn and win sounds).
status=0
"$check" farm > before.txt 2> before.err || status=$?
[ "$status" = 1 ] || fail "first check: status $status, expected 1"
[ -s before.err ] && fail "first check wrote on standard error: $(cat before.err)"
untimed() { sed '/^Expected animation/,$d' "$1"; }
diff <(untimed "$docs/farm-report.txt") <(untimed before.txt) ||
    fail "the report differs from docs/author/farm-report.txt"
"$check" farm/ > slash.txt || true
cmp -s slash.txt before.txt || fail "farm/ is not read as farm"

# The wrong folder: the message, then where the programs looked and where
# versions are.
(cd farm && status=0 && "$check" farm > ../wrong.out 2> ../wrong.err || status=$?; [ "$status" = 2 ]) ||
    fail "boardcheck in the wrong folder: not status 2"
grep -qx 'Cannot open the version file ./farm/farm.config: missing' wrong.err || fail "wrong folder: $(cat wrong.err)"
grep -qF "boardcheck: looked in $work/farm for the folder farm/; run from the folder that holds the version folders: data/" wrong.err ||
    fail "wrong folder: no hint: $(cat wrong.err)"
# (The game's font is read first; so that the game gets as far as the
# version, the folder has the font and sounds but not the version asked for.)
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game" farmyard > /dev/null 2> game-wrong.err &&
    fail "the game started without its version"
grep -qF "boardgame: looked in $work for the folder farmyard/" game-wrong.err || fail "the game's hint: $(cat game-wrong.err)"

# Files that are no version file, and a report that cannot be written.
mkdir zero fifo
ln -s /dev/zero zero/zero.config
mkfifo fifo/fifo.config
for v in zero fifo; do
    status=0
    timeout 10 "$check" $v > /dev/null 2> $v.err || status=$?
    [ "$status" = 2 ] || fail "$v version file: status $status"
    grep -q "^Cannot open the version file ./$v/$v.config: " $v.err || fail "$v: $(cat $v.err)"
done
status=0
"$check" farm > /dev/full 2> full.err || status=$?
[ "$status" = 3 ] || fail "report to a full disk: status $status"
grep -qx 'boardcheck: cannot write the report to standard output' full.err || fail "full disk: $(cat full.err)"

# 2. The voices, with the real festival; the notes it cannot say fail the run.
status=0
"$vox" farm > vox.out 2> vox.err || status=$?
[ "$status" = 1 ] || fail "squarevox: status $status, expected 1"

# 3. The report again: every voice listed, the long one named.
"$check" farm > after.txt || true
grep -q '^Voices:$' after.txt || fail "no voices after squarevox: $(cat after.txt)"
grep -q '^  square04.wav  [0-9.]* s        note up to date$' after.txt || fail "square 4's voice"
grep -q '^  square93.wav  missing       no words to speak$' after.txt || fail "square 93's voice line"
grep -q 'square93.wav: missing' after.txt && fail "a voice that cannot be made is named twice"
grep -qE '^  \./farm/farm\.config:15: warning: the voice of square 51 lasts [0-9.]+ s and its slide 1\.9 s' after.txt ||
    fail "no warning about square 51's long voice: $(grep -A20 '^Problems' after.txt)"

# 4. The picture, pixel for pixel the board of the game's start screen.
"$check" --picture farm.png farm > picture.out || fail "--picture failed"
[ "$(cat picture.out)" = 'Wrote the board of farm to farm.png' ] || fail "--picture said: $(cat picture.out)"
[ "$(identify -format '%wx%h' farm.png)" = 480x480 ] || fail "picture size"
same=$(compare -metric AE farm.png "$docs/farm.png" null: 2>&1 || true)
[ "$same" = 0 ] || fail "the picture differs from docs/author/farm.png in $same pixels"
# The picture's own file: a link planted at the old temporary's name is not
# followed; devices are written in place; a full disk fails and keeps the old
# picture; the new file has the umask's permissions.
echo mine > victim && ln -s victim farm.png.part
(umask 027 && "$check" --picture farm.png farm > /dev/null) || fail "--picture beside a planted link"
[ "$(cat victim)" = mine ] || fail "--picture wrote through a link planted beside it"
[ "$(stat -c %a farm.png)" = 640 ] || fail "picture mode $(stat -c %a farm.png) under umask 027"
# The full disk is a small tmpfs (root only); elsewhere a folder that fails alike.
mkdir full
if mount -t tmpfs -o size=64k tmpfs full 2>/dev/null; then
    at_exit "umount '$work/full' 2>/dev/null || true"
    echo old > full/old.png
    head -c 100k /dev/zero > full/filler 2>/dev/null || true
else
    echo old > full/old.png && chmod 555 full
fi
while IFS='|' read -r target want; do
    status=0
    "$check" --picture "$target" farm > /dev/null 2> picture.err || status=$?
    [ "$status" = "$want" ] || fail "--picture $target: status $status, expected $want"
done <<'TABLE'
/dev/null|0
/dev/full|2
full/old.png|2
.|2
TABLE
[ -c /dev/null ] && [ -c /dev/full ] || fail "--picture replaced a device"
[ "$(cat full/old.png)" = old ] || fail "a failed picture did not keep the old file"
[ -z "$(ls -A full | grep -v '^old.png$\|^filler$')" ] || fail "a failed picture left $(ls -A full)"
[ -z "$(ls -A . | grep '\.new-')" ] || fail "--picture left a temporary: $(ls -A .)"
umount full 2>/dev/null || chmod 755 full

start_x
SDL_AUDIODRIVER=dummy "$game" farm > game.out 2> game.err &
pid=$!
win=$(find_window)
sleep 0.5
shot "$win" start.png
kill -TERM $pid
wait $pid || true
convert start.png -crop 480x480+0+0 +repage board.png
differ=$(compare -metric AE board.png farm.png null: 2>&1 || true)
[ "$differ" = 0 ] || fail "the picture and the game's board differ in $differ pixels"
echo "e2e author: ok"
