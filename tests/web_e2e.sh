#!/usr/bin/env bash
# The browser build (web_e2e): serves SITE_DIR on localhost, runs
# tests/web_e2e.mjs in Debian's headless chromium with the driver pinned by
# pkg/web/package-lock.json (installed with npm ci into build-web/e2e/), and
# compares the page's start screen with the Linux game's, pixel for pixel but
# the die, in a private X server. Prints the start-up times of both.
#   web_e2e.sh SITE_DIR [LINUX_BUILD_DIR [DATA_DIR]]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
site=$(realpath "$1") linux=$(realpath "${2:-$repo/build}") data=$(realpath "${3:-$repo/data}")
source "$repo/tests/e2e_lib.sh"
export SDL_AUDIODRIVER=dummy
[ -x "$linux/game/boardgame" ] || fail "no Linux game in $linux to compare with"

# Every library the page names has its licence beside it.
for f in $(grep -o 'href="licences/[^"]*"' "$site/index.html" | sed 's/href="//; s/"$//'); do
    [ -s "$site/$f" ] || fail "the page names $f, which is not in $site"
done
(( $(ls "$site/licences" | wc -l) == $(grep -c 'href="licences/' "$site/index.html") )) ||
    fail "the page does not name every file of $site/licences"

mods=$repo/build-web/e2e
if ! cmp -s "$repo/pkg/web/package-lock.json" "$mods/package-lock.json" || [ ! -d "$mods/node_modules" ]; then
    rm -rf "$mods" && mkdir -p "$mods"
    cp "$repo/pkg/web/package.json" "$repo/pkg/web/package-lock.json" "$mods/"
    (cd "$mods" && npm ci --no-audit --no-fund --loglevel=error) || fail "npm ci could not install the test's driver"
fi
scratch=$(mktemp -d)
at_exit "rm -rf '$scratch'"
shots=$repo/build-web/e2e-shots
rm -rf "$shots" && mkdir -p "$shots"

# The page, served on a port the system picks.
python3 -u -m http.server --bind 127.0.0.1 --directory "$site" 0 > "$scratch/http.log" 2>&1 &
server=$!
at_exit "kill $server 2>/dev/null || true"
wait_until 10 "the web server's port" grep -q "port [0-9]" "$scratch/http.log"
port=$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$scratch/http.log" | head -n 1)

# The board a teacher picks: from square 0 every roll lands on a ladder to 99.
mkdir -p "$scratch/upward"
for s in 1 2 3 4 5 6; do echo "$s 99 Up to the very top!" >> "$scratch/upward/upward.config"; done

t0=$(date +%s.%N)
WEB_E2E_MODULES=$mods/node_modules timeout 900 node "$repo/tests/web_e2e.mjs" \
    "http://127.0.0.1:$port/" "$shots" "$scratch/upward" || fail "the page's test (above)"
web_run=$(echo "$(date +%s.%N) - $t0" | bc)

# The Linux game's start screen, and its start-up: from its start to its
# window showing the board.
start_x
cd "$data"
t0=$(date +%s.%N)
stdbuf -oL "$linux/game/boardgame" > "$scratch/lin.out" 2>&1 & pid=$!
out=$scratch/lin.out
wait_for "Player 1 is set to (24, 456)"
w=$(find_window)
linux_start=$(echo "$(date +%s.%N) - $t0" | bc)
sleep 0.5
shot "$w" "$shots/start-linux.png"
kill "$pid"; wait "$pid" 2>/dev/null || true

# The spinning die shows whatever face the time's seed gives; the rest is the same.
for s in linux web; do
    convert "$shots/start-$s.png" -alpha off -fill black -draw "rectangle 536,160 583,207" "$shots/nodie-$s.png"
done
diff=$(compare -metric AE "$shots/nodie-linux.png" "$shots/nodie-web.png" null: 2>&1 || true)
[ "$diff" = 0 ] || fail "the page's start screen differs from the Linux game's in $diff pixels besides the die (see $shots)"
echo "web_e2e: the start screen equals the Linux game's but the die"
echo "web_e2e: first board frame in the page $(sed -n 's/.*"first_board_frame_s": \([0-9.]*\).*/\1/p' "$shots/measures.json") s, Linux game's window ${linux_start} s; the page's test took ${web_run} s"
echo "web_e2e: passed"
