#!/bin/bash
# Times squarevox on a copy of a version (default: mivo) against the same
# festival and sox commands (speech, level measurement, conversion) run
# straight from a shell loop, alternating the
# two a few rounds so that other load on the machine hits both alike, and
# prints each round and the best of each (wall time, and CPU time of all the
# processes) with the tool's own share.
#   tools/time_voices.sh [version] [rounds]   (after a build into build/)
set -euo pipefail
cd "$(dirname "$0")/.."
version="${1:-mivo}"
rounds="${2:-3}"
tool="$PWD/build/squarevox/squarevox"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/$version"
cp "data/$version/$version.config" "$work/$version/"
cd "$work"
script=$(command -v text2wave)
TIMEFORMAT='%R %U %S'

run_tool() { "$tool" "$version" 2>/dev/null; }
# The floor: the two programs alone, on the text files the tool wrote.
run_loop() {
    for text in "$version"/square??; do
        festival --script "$script" "$text" -o temp.wav
        gain=$(/usr/bin/sox temp.wav -n stats 2>&1 | awk '$1 == "Pk" && $2 == "lev" { p = $4 }
            $1 == "RMS" && $2 == "lev" { r = $4 } END { g = -20 - r; if (p + g > -2) g = -2 - p; printf "%.2f", g }')
        /usr/bin/sox -c1 -e signed-integer -b 16 temp.wav -c2 -r 22050 "$text.wav" gain "$gain" 2>/dev/null
    done
}
# Prints "wall cpu" in seconds for one function.
measure() { { time "$1"; } 2>&1 | awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }'; }

run_tool # makes the text files the loop speaks
best_tool=(999 999) best_loop=(999 999)
for round in $(seq "$rounds"); do
    read -r tw tc < <(measure run_tool)
    read -r lw lc < <(measure run_loop)
    echo "round $round: tool ${tw} s wall ${tc} s cpu; festival and sox alone ${lw} s wall ${lc} s cpu"
    best_tool=($(echo "$tw ${best_tool[0]} $tc ${best_tool[1]}" | awk '{ print ($1<$2?$1:$2), ($3<$4?$3:$4) }'))
    best_loop=($(echo "$lw ${best_loop[0]} $lc ${best_loop[1]}" | awk '{ print ($1<$2?$1:$2), ($3<$4?$3:$4) }'))
done
echo "$(ls "$version"/square?? | wc -l) squares; best of $rounds:" \
    "tool ${best_tool[0]} s wall ${best_tool[1]} s cpu," \
    "festival and sox alone ${best_loop[0]} s wall ${best_loop[1]} s cpu"
echo "${best_tool[*]} ${best_loop[*]}" | awk '{ printf "overhead: %.2f %% wall, %.2f %% cpu\n", 100 * ($1 - $3) / $3, 100 * ($2 - $4) / $4 }'
