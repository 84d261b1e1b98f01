#!/usr/bin/env bash
# Times the game's start to its board on screen against the bare window, and
# their peak memory, each run several times in one X server.
#   tools/startup/measure.sh [runs]   (after a build into build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build
runs=${1:-10}
source "$root/tests/e2e_lib.sh"
start_x
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
shim=$build/tools/startup/libfirst_frame_shim.so

# measure NAME ENV... -- COMMAND...: median start time and peak memory.
measure() {
    local name=$1; shift
    local times=() peaks=()
    for _ in $(seq "$runs"); do
        out=$( (cd "$root/data" && env "$@" LD_PRELOAD="$shim" /usr/bin/time -f 'peak %M' \
                "${CMD[@]}") 2>&1 >/dev/null)
        times+=("$(grep -oE 'after [0-9.]+' <<<"$out" | cut -d' ' -f2)")
        peaks+=("$(grep -oE 'peak [0-9]+' <<<"$out" | cut -d' ' -f2)")
    done
    t=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
    m=$(printf '%s\n' "${peaks[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
    printf '%-34s first frame %s s   peak %6.1f MB\n' "$name" "$t" "$(echo "$m/1024" | bc -l)"
}

CMD=("$build/tools/startup/bare_window"); measure "bare window (floor)" X=1
CMD=("$build/tools/startup/bare_window"); measure "bare window, default renderer" BARE_DEFAULT_RENDERER=1
CMD=("$build/game/boardgame"); measure "boardgame mivo" X=1
CMD=("$build/game/boardgame" lirou); measure "boardgame lirou (notes in French)" X=1
