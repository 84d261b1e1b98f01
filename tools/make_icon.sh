#!/bin/bash
# Draws the installed game's menu icon: a corner of the board with a ladder,
# a chute and the two tokens, at 256 pixels, scaled down for the smaller sizes.
#   tools/make_icon.sh      (writes pkg/deb/icons/varnowick-<size>.png)
# Needs: imagemagick. Run from anywhere.
set -euo pipefail
cd "$(dirname "$0")/.."
out=pkg/deb/icons
mkdir -p "$out"
big=$(mktemp --suffix=.png)
trap 'rm -f "$big"' EXIT

# A 4 x 4 corner of the board: cream squares in two shades, dark lines.
squares=()
for row in 0 1 2 3; do
    for col in 0 1 2 3; do
        x=$((16 + col * 56)) y=$((16 + row * 56))
        if (((row + col) % 2)); then fill='#FFFFF0'; else fill='#FFFFCC'; fi
        squares+=(-fill "$fill" -draw "rectangle $x,$y $((x + 55)),$((y + 55))")
    done
done

# The chute: one wave of a sine from the top row to the bottom one.
CHUTE="190,44 198,52 206,61 212,70 216,79 218,88 216,96 212,105 206,114 198,123 190,132 181,140 173,149 167,158 163,167 162,176 163,184 167,193 173,202 181,211 190,220"

convert -size 256x256 xc:none \
    -fill '#101010' -draw 'roundrectangle 8,8 247,247 20,20' \
    "${squares[@]}" \
    -stroke '#101010' -strokewidth 2 -fill none \
    -draw 'line 72,16 72,239' -draw 'line 128,16 128,239' -draw 'line 184,16 184,239' \
    -draw 'line 16,72 239,72' -draw 'line 16,128 239,128' -draw 'line 16,184 239,184' \
    -stroke '#D57E29' -strokewidth 9 \
    -draw 'line 40,222 130,52' -draw 'line 76,230 166,60' \
    -strokewidth 7 \
    -draw 'line 47,198 80,216' -draw 'line 64,166 97,184' -draw 'line 81,134 114,152' \
    -draw 'line 98,102 131,120' -draw 'line 115,70 148,88' \
    -stroke '#FF0000' -strokewidth 30 -draw "stroke-linejoin round stroke-linecap round polyline $CHUTE" \
    -stroke '#E0E0E0' -strokewidth 16 -draw "stroke-linejoin round stroke-linecap round polyline $CHUTE" \
    -stroke '#101010' -strokewidth 3 \
    -fill '#FF0000' -draw 'circle 58,96 58,76' \
    -fill '#0000FF' -draw 'circle 196,172 196,152' \
    -depth 8 -strip "$big"

for size in 16 32 48 64 128 256; do
    convert "$big" -resize "${size}x$size" -depth 8 -strip "$out/varnowick-$size.png"
done
echo "wrote $out/varnowick-{16,32,48,64,128,256}.png"
