// The panel's glyphs beyond the 8-bit font: characters from U+0100 on, read
// from a compact file of sorted code points and 6 x 13 bitmaps.
#pragma once

#include "paths.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// WIDE_FONT (paths.h): the magic, a 4-byte little-endian glyph count N, N
// 4-byte little-endian code points in rising order, then N bitmaps of
// WIDE_GLYPH_ROWS bytes (one a pixel row, top first, bit 7 the left pixel),
// the same cell layout as the 8-bit font.
constexpr const char WIDE_FONT_MAGIC[8] = {'V', 'W', '6', 'x', '1', '3', 'u', '1'};
constexpr int WIDE_GLYPH_ROWS = 13;
constexpr std::size_t WIDE_FONT_MAX_GLYPHS = 8192;
constexpr std::size_t WIDE_FONT_MAX_BYTES =
    sizeof WIDE_FONT_MAGIC + 4 + WIDE_FONT_MAX_GLYPHS * (4 + WIDE_GLYPH_ROWS);

using GlyphRows = std::array<std::uint8_t, WIDE_GLYPH_ROWS>;

// The box drawn for a character that has no glyph: an outline in the cell.
constexpr GlyphRows MISSING_GLYPH = {0x00, 0x00, 0xF8, 0x88, 0x88, 0x88, 0x88,
                                     0x88, 0x88, 0x88, 0xF8, 0x00, 0x00};

struct WideFont {
    bool loaded = false;
    std::string fault;                   // why the file could not be used, naming it
    std::vector<char32_t> code_points;   // rising
    std::vector<GlyphRows> glyphs;       // glyphs[i] draws code_points[i]
};

// Checks and unpacks the bytes of a wide font file; `name` stands for its
// path in the fault.
WideFont parse_wide_font(const std::string &bytes, const std::string &name);

// Reads WIDE_FONT (through the file guard, at most WIDE_FONT_MAX_BYTES) from
// the working folder.
WideFont read_wide_font(const std::string &path = WIDE_FONT);

// The glyph of `ch`, found by binary search; nullptr when the font has none.
const GlyphRows *wide_glyph(const WideFont &font, char32_t ch);

// Whether the panel has a glyph for `ch`: the 8-bit font covers U+0020 to
// U+007E and U+00A0 to U+00FF; the wide font the rest it holds.
bool panel_has_glyph(const WideFont &font, char32_t ch);
