#!/bin/bash
# Builds data/image/6x13u.fnt, the panel's glyphs from U+0100 on (Latin
# extended, Greek, Cyrillic, punctuation: see WIDE_RANGES in bdf_to_fnt.py),
# from the X11 misc-fixed 6x13 ISO 10646 font, in the same cell layout as
# data/image/6x13.fnt.  Needs: xfonts-base, pcf2bdf, python3.
set -euo pipefail

cd "$(dirname "$0")/.."
SRC=${FONT_PCF:-/usr/share/fonts/X11/misc/6x13.pcf.gz}
OUT=data/image/6x13u.fnt

[ -r "$SRC" ] || { echo "missing $SRC (apt-get install xfonts-base)" >&2; exit 1; }
command -v pcf2bdf >/dev/null || { echo "missing pcf2bdf (apt-get install pcf2bdf)" >&2; exit 1; }

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

zcat -f "$SRC" > "$TMP/font.pcf"
pcf2bdf -o "$TMP/font.bdf" "$TMP/font.pcf"
python3 tools/bdf_to_fnt.py --wide "$TMP/font.bdf" "$OUT.new"
mv "$OUT.new" "$OUT"
