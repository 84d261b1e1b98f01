#!/bin/bash
# Builds data/image/6x13.fnt (256 glyphs x 13 bytes = 3328 bytes, SDL_gfx
# 8-bit font layout) from the X11 misc-fixed 6x13 ISO 8859-1 font.
# Needs: xfonts-base, pcf2bdf, python3.  Run from the repository root.
set -euo pipefail

cd "$(dirname "$0")/.."
SRC=${FONT_PCF:-/usr/share/fonts/X11/misc/6x13-ISO8859-1.pcf.gz}
OUT=data/image/6x13.fnt

[ -r "$SRC" ] || { echo "missing $SRC (apt-get install xfonts-base)" >&2; exit 1; }
command -v pcf2bdf >/dev/null || { echo "missing pcf2bdf (apt-get install pcf2bdf)" >&2; exit 1; }

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

zcat -f "$SRC" > "$TMP/font.pcf"
pcf2bdf -o "$TMP/font.bdf" "$TMP/font.pcf"
mkdir -p "$(dirname "$OUT")"
python3 tools/bdf_to_fnt.py "$TMP/font.bdf" "$OUT" 6 13

size=$(stat -c %s "$OUT")
if [ "$size" -ne 3328 ]; then
    echo "$OUT has $size bytes, expected 3328" >&2
    exit 1
fi
