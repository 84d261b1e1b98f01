#!/usr/bin/env python3
"""Convert a BDF bitmap font into the raw 8-bit font layout used by SDL_gfx.

Output: 256 glyphs in code order, each CELL_H bytes, one byte per pixel row
from top to bottom, bit 7 = leftmost pixel.  Glyphs are placed in the cell
using their BBX offsets; the cell's top row is the font's ascent line.
Codes that have no glyph in the BDF file are left blank.

Usage: bdf_to_fnt.py INPUT.bdf OUTPUT.fnt [CELL_W CELL_H]
       bdf_to_fnt.py --wide INPUT.bdf OUTPUT.fnt   (glyphs from U+0100 on, below)
       bdf_to_fnt.py --show OUTPUT.fnt CELL_H CODE...   (print glyphs as text)
"""
import struct
import sys

# The wide glyph file (core/widefont.h): the magic, the count, the sorted
# code points, then the 13-byte bitmaps.  Only the blocks a board author in a
# European language needs, to keep it small: Latin Extended-A/B, spacing
# modifiers, Greek, Cyrillic, Latin Extended Additional, Greek Extended,
# general punctuation, currency signs, letterlike symbols (the numero sign),
# and the alphabetic ligatures.
WIDE_MAGIC = b"VW6x13u1"
WIDE_RANGES = [(0x0100, 0x024F), (0x02B0, 0x02FF), (0x0370, 0x03FF), (0x0400, 0x052F),
               (0x1E00, 0x1EFF), (0x1F00, 0x1FFF), (0x2000, 0x206F), (0x20A0, 0x20CF),
               (0x2100, 0x214F), (0xFB00, 0xFB06)]


def parse_bdf(path):
    """Return (ascent, descent, {code: (bbx_w, bbx_h, bbx_x, bbx_y, [row ints], row_bits)})."""
    ascent = descent = None
    glyphs = {}
    with open(path, encoding="latin-1") as f:
        lines = iter(f.read().splitlines())
    for line in lines:
        parts = line.split()
        if not parts:
            continue
        key = parts[0]
        if key == "FONT_ASCENT":
            ascent = int(parts[1])
        elif key == "FONT_DESCENT":
            descent = int(parts[1])
        elif key == "STARTCHAR":
            code = None
            bbx = None
            rows = []
            for line in lines:
                parts = line.split()
                if not parts:
                    continue
                if parts[0] == "ENCODING":
                    code = int(parts[-1])
                elif parts[0] == "BBX":
                    bbx = tuple(int(v) for v in parts[1:5])
                elif parts[0] == "BITMAP":
                    for line in lines:
                        s = line.strip()
                        if s == "ENDCHAR":
                            break
                        rows.append(s)
                    break
            if code is None or bbx is None or code < 0:
                continue
            w, h, xo, yo = bbx
            nbits = len(rows[0]) * 4 if rows else 8
            glyphs[code] = (w, h, xo, yo, [int(r, 16) for r in rows], nbits)
    if ascent is None or descent is None:
        raise SystemExit("%s: FONT_ASCENT/FONT_DESCENT missing" % path)
    return ascent, descent, glyphs


def render(ascent, glyph, cell_w, cell_h):
    """Place one glyph into a cell_h list of row bytes."""
    out = [0] * cell_h
    w, h, xo, yo, rows, nbits = glyph
    # Row 0 of the bitmap lies at baseline-relative height yo + h - 1;
    # the cell's row 0 is at height ascent - 1.
    top = ascent - (yo + h)
    for i, bits in enumerate(rows[:h]):
        y = top + i
        if not 0 <= y < cell_h:
            continue
        for px in range(w):
            if bits & (1 << (nbits - 1 - px)):
                x = xo + px
                if 0 <= x < cell_w and x < 8:
                    out[y] |= 0x80 >> x
    return out


def convert(src, dst, cell_w, cell_h):
    ascent, descent, glyphs = parse_bdf(src)
    if ascent + descent != cell_h:
        sys.stderr.write("warning: ascent+descent=%d, cell height %d\n"
                         % (ascent + descent, cell_h))
    data = bytearray()
    for code in range(256):
        g = glyphs.get(code)
        data += bytes(render(ascent, g, cell_w, cell_h) if g else [0] * cell_h)
    with open(dst, "wb") as f:
        f.write(data)
    return len(data), sum(1 for c in glyphs if 0 <= c < 256)


def convert_wide(src, dst, cell_w=6, cell_h=13):
    ascent, descent, glyphs = parse_bdf(src)
    codes = sorted(c for c in glyphs if any(a <= c <= b for a, b in WIDE_RANGES))
    data = bytearray(WIDE_MAGIC + struct.pack("<I", len(codes)))
    for code in codes:
        data += struct.pack("<I", code)
    for code in codes:
        data += bytes(render(ascent, glyphs[code], cell_w, cell_h))
    with open(dst, "wb") as f:
        f.write(data)
    return len(data), len(codes)


def show(path, cell_h, codes):
    data = open(path, "rb").read()
    for code in codes:
        print("code %d (%r):" % (code, bytes([code]).decode("latin-1")))
        for row in data[code * cell_h:(code + 1) * cell_h]:
            print("  |" + "".join("#" if row & (0x80 >> b) else "." for b in range(8)) + "|")


def main(argv):
    if len(argv) >= 2 and argv[1] == "--show":
        path, cell_h = argv[2], int(argv[3])
        codes = []
        for a in argv[4:]:
            codes.append(int(a, 0) if a[0].isdigit() else ord(a.encode("latin-1").decode("latin-1")[0]))
        show(path, cell_h, codes)
        return 0
    if len(argv) == 4 and argv[1] == "--wide":
        size, count = convert_wide(argv[2], argv[3])
        print("%s: %d bytes, %d glyphs" % (argv[3], size, count))
        return 0
    if len(argv) not in (3, 5):
        sys.stderr.write(__doc__)
        return 2
    cell_w, cell_h = (int(argv[3]), int(argv[4])) if len(argv) == 5 else (6, 13)
    size, count = convert(argv[1], argv[2], cell_w, cell_h)
    print("%s: %d bytes, %d glyphs" % (argv[2], size, count))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
