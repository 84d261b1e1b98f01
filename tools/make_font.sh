#!/bin/bash
# Builds the side panel's two glyph files from Debian's X11 misc-fixed 6x13
# fonts (xfonts-base):
#   data/image/6x13.fnt   256 glyphs x 13 bytes = 3328 bytes, SDL_gfx's
#                         8-bit font layout, from the ISO 8859-1 font
#   data/image/6x13u.fnt  the glyphs from U+0100 on (Latin extended, Greek,
#                         Cyrillic, punctuation: WIDE_RANGES in bdf_to_fnt.py)
#                         in the same cells, from the ISO 10646 font
# Needs: xfonts-base, pcf2bdf, python3.  Run from anywhere.
set -euo pipefail

cd "$(dirname "$0")/.."
FONTS=${FONT_DIR:-/usr/share/fonts/X11/misc}
command -v pcf2bdf >/dev/null || { echo "missing pcf2bdf (apt-get install pcf2bdf)" >&2; exit 1; }

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
mkdir -p data/image

# to_bdf NAME: $TMP/NAME.bdf from $FONTS/NAME.pcf.gz
to_bdf() {
    [ -r "$FONTS/$1.pcf.gz" ] || { echo "missing $FONTS/$1.pcf.gz (apt-get install xfonts-base)" >&2; exit 1; }
    zcat -f "$FONTS/$1.pcf.gz" > "$TMP/$1.pcf"
    pcf2bdf -o "$TMP/$1.bdf" "$TMP/$1.pcf"
}

to_bdf 6x13-ISO8859-1
python3 tools/bdf_to_fnt.py "$TMP/6x13-ISO8859-1.bdf" data/image/6x13.fnt 6 13
to_bdf 6x13
python3 tools/bdf_to_fnt.py --wide "$TMP/6x13.bdf" data/image/6x13u.fnt.new
mv data/image/6x13u.fnt.new data/image/6x13u.fnt
size=$(stat -c %s data/image/6x13.fnt)
if [ "$size" -ne 3328 ]; then
    echo "data/image/6x13.fnt has $size bytes, expected 3328" >&2
    exit 1
fi
