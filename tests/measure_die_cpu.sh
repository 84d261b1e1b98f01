#!/usr/bin/env bash
# CPU that the game uses while the die waits for the player: the mivo game in
# Xvfb, the die spinning, user + system time of the process over 10 seconds.
#   tests/measure_die_cpu.sh BUILD_DIR DATA_DIR     (not run by ctest)
set -euo pipefail
source "$(dirname "$0")/e2e_lib.sh"
start_x
game=$(realpath "$1")/game/boardgame
cd "$2"
out=$(mktemp)
SDL_AUDIODRIVER=dummy stdbuf -oL "$game" > "$out" &
pid=$!
win=$(find_window)
xdotool keydown --window "$win" a; sleep 0.1; xdotool keyup --window "$win" a
until grep -q "Got a keyup of 97" "$out"; do sleep 0.1; done # the die spins
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
t0=$(ticks); s0=$(date +%s.%N)
sleep 10
t1=$(ticks); s1=$(date +%s.%N)
kill "$pid"; wait "$pid" 2>/dev/null || true
rm -f "$out"
awk -v t="$((t1 - t0))" -v hz="$hz" -v s0="$s0" -v s1="$s1" \
    'BEGIN { printf "die waiting: %.2f s CPU in %.2f s = %.2f%% of one core\n", t/hz, s1-s0, 100*t/hz/(s1-s0) }'
