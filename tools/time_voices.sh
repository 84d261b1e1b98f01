#!/bin/bash
# Times squarevox on a copy of a version (default: mivo) against the same
# festival and sox commands run straight from a shell loop, in one run, and
# prints the tool's own share of the time.
#   tools/time_voices.sh [version]   (after a build into build/)
set -euo pipefail
cd "$(dirname "$0")/.."
version="${1:-mivo}"
tool="$PWD/build/squarevox/squarevox"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/$version"
cp "data/$version/$version.config" "$work/$version/"
cd "$work"
script=$(command -v text2wave)
now() { date +%s.%N; }

start=$(now)
"$tool" "$version"
tool_time=$(echo "$(now) - $start" | bc)

# The floor: the two programs alone, on the text files the tool wrote.
start=$(now)
for text in "$version"/square??; do
    festival --script "$script" "$text" -o temp.wav
    /usr/bin/sox -c1 -e signed-integer -b 16 temp.wav -c2 -r 22050 "$text.wav"
done
loop_time=$(echo "$(now) - $start" | bc)

records=$(ls "$version"/square?? | wc -l)
echo "squarevox $version: $records squares; tool ${tool_time} s, festival and sox alone ${loop_time} s"
echo "overhead: $(echo "scale=2; 100 * ($tool_time - $loop_time) / $loop_time" | bc) %"
