// Reading the wide glyph file and finding a character's glyph in it.
#include "widefont.h"

#include "guards.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint32_t little_endian(const std::string &bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; i--)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
    return value;
}

} // namespace

WideFont parse_wide_font(const std::string &bytes, const std::string &name)
{
    WideFont font;
    const std::size_t head = sizeof WIDE_FONT_MAGIC + 4;
    if (bytes.size() < head || std::memcmp(bytes.data(), WIDE_FONT_MAGIC, sizeof WIDE_FONT_MAGIC) != 0) {
        font.fault = name + ": not a glyph file of this game (no header)";
        return font;
    }
    std::size_t count = little_endian(bytes, sizeof WIDE_FONT_MAGIC);
    if (count > WIDE_FONT_MAX_GLYPHS || bytes.size() != head + count * (4 + WIDE_GLYPH_ROWS)) {
        font.fault = name + ": its size does not match its " + std::to_string(count) + " glyphs";
        return font;
    }
    font.code_points.resize(count);
    font.glyphs.resize(count);
    for (std::size_t i = 0; i < count; i++) {
        font.code_points[i] = little_endian(bytes, head + 4 * i);
        if (i > 0 && font.code_points[i] <= font.code_points[i - 1]) {
            font.fault = name + ": its code points are not in rising order";
            font.code_points.clear();
            font.glyphs.clear();
            return font;
        }
        std::memcpy(font.glyphs[i].data(), bytes.data() + head + 4 * count + WIDE_GLYPH_ROWS * i,
                    WIDE_GLYPH_ROWS);
    }
    font.loaded = true;
    return font;
}

WideFont read_wide_font(const std::string &path)
{
    FileRead file = read_regular_file(path, WIDE_FONT_MAX_BYTES);
    if (!file.ok) {
        WideFont font;
        font.fault = path + ": " + file.fault;
        return font;
    }
    return parse_wide_font(file.bytes, path);
}

const GlyphRows *wide_glyph(const WideFont &font, char32_t ch)
{
    auto at = std::lower_bound(font.code_points.begin(), font.code_points.end(), ch);
    if (at == font.code_points.end() || *at != ch)
        return nullptr;
    return &font.glyphs[std::size_t(at - font.code_points.begin())];
}

bool panel_has_glyph(const WideFont &font, char32_t ch)
{
    if (ch < 0x100)
        return (ch >= 0x20 && ch <= 0x7E) || ch >= 0xA0;
    return wide_glyph(font, ch) != nullptr;
}
