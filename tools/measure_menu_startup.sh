#!/bin/bash
# The menu's first frame against the game's own start-up, in one X server:
# the time from the program's start to its first wait (the test shim's
# VARNOWICK_FIRST_WAIT), the median of RUNS runs of each (default 7).
#   tools/measure_menu_startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/e2e_lib.sh
e2e_begin "${1:-build}" data
runs=${2:-7}
export SDL_AUDIODRIVER=dummy VARNOWICK_FIRST_WAIT=1 LANG=C
cd "$data"
# median_ms ARGS...: the median first wait of the game started with ARGS.
median_ms() {
    local times=() t
    for _ in $(seq "$runs"); do
        # The game itself in the background (not a shell around it), so
        # that the kill below ends it.
        LD_PRELOAD="$build/tests/libsteady_shim.so" "$game" "$@" > /dev/null 2> "$scratch/err" &
        pid=$!
        for _ in $(seq 200); do grep -q "first wait" "$scratch/err" && break; sleep 0.05; done
        t=$(sed -n 's/^first wait after \([0-9.]*\) ms$/\1/p' "$scratch/err")
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null || true
        times+=("$t")
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p"
}
game_ms=$(median_ms)
menu_ms=$(median_ms --menu)
echo "game start-up (board and tokens drawn): $game_ms ms"
echo "menu first frame (items, picture, mark): $menu_ms ms"
awk -v g="$game_ms" -v m="$menu_ms" 'BEGIN { printf "ratio %.2f (at most 1.20 asked)\n", m / g; exit !(m <= 1.2 * g) }'
