// UTF-8 decoding and the table of scripts the panel cannot draw yet.
#include "utf8.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// Scripts written right to left or shaped from their letters: one glyph a
// cell, left to right, would draw them wrongly.
struct ScriptRange {
    char32_t first;
    char32_t last;
    const char *name;
};

constexpr std::array<ScriptRange, 29> UNSUPPORTED_SCRIPTS = {{
    {0x0590, 0x05FF, "Hebrew"},     {0x0600, 0x06FF, "Arabic"},
    {0x0700, 0x074F, "Syriac"},     {0x0750, 0x077F, "Arabic"},
    {0x0780, 0x07BF, "Thaana"},     {0x07C0, 0x07FF, "N'Ko"},
    {0x0800, 0x083F, "Samaritan"},  {0x0840, 0x085F, "Mandaic"},
    {0x0860, 0x08FF, "Arabic"},     {0x0900, 0x097F, "Devanagari"},
    {0x0980, 0x09FF, "Bengali"},    {0x0A00, 0x0A7F, "Gurmukhi"},
    {0x0A80, 0x0AFF, "Gujarati"},   {0x0B00, 0x0B7F, "Oriya"},
    {0x0B80, 0x0BFF, "Tamil"},      {0x0C00, 0x0C7F, "Telugu"},
    {0x0C80, 0x0CFF, "Kannada"},    {0x0D00, 0x0D7F, "Malayalam"},
    {0x0D80, 0x0DFF, "Sinhala"},    {0x0E00, 0x0E7F, "Thai"},
    {0x0E80, 0x0EFF, "Lao"},        {0x0F00, 0x0FFF, "Tibetan"},
    {0x1000, 0x109F, "Myanmar"},    {0x1780, 0x17FF, "Khmer"},
    {0x1800, 0x18AF, "Mongolian"},  {0xA8E0, 0xA8FF, "Devanagari"},
    {0xFB1D, 0xFB4F, "Hebrew"},     {0xFB50, 0xFDFF, "Arabic"},
    {0xFE70, 0xFEFC, "Arabic"},
}};

} // namespace

std::size_t utf8_sequence_length(const std::string &text, std::size_t pos)
{
    if (pos >= text.size())
        return 0;
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t n = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 && lead <= 0xEF ? 3
                  : lead >= 0xC2 && lead <= 0xDF ? 2 : 0;
    if (n == 0 || pos + n > text.size())
        return 0;
    for (std::size_t i = 1; i < n; i++)
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    // The second byte's range rules out overlong forms, surrogates and
    // values past U+10FFFF.
    if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F) ||
        (lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) > 0x8F))
        return 0;
    return n;
}

bool is_utf8_continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

bool is_valid_utf8(const std::string &text)
{
    for (std::size_t p = 0; p < text.size();) {
        std::size_t n = utf8_sequence_length(text, p);
        if (n == 0)
            return false;
        p += n;
    }
    return true;
}

std::vector<char32_t> text_characters(const std::string &text)
{
    std::vector<char32_t> out;
    if (!is_valid_utf8(text)) {
        for (char byte : text)
            out.push_back(static_cast<unsigned char>(byte));
        return out;
    }
    for (std::size_t p = 0; p < text.size();) {
        std::size_t n = utf8_sequence_length(text, p);
        char32_t ch = static_cast<unsigned char>(text[p]);
        if (n > 1) {
            ch &= 0x7F >> n;
            for (std::size_t i = 1; i < n; i++)
                ch = (ch << 6) | (static_cast<unsigned char>(text[p + i]) & 0x3F);
        }
        out.push_back(ch);
        p += n;
    }
    return out;
}

std::vector<std::string> text_cells(const std::string &text)
{
    std::vector<std::string> cells;
    const bool by_character = is_valid_utf8(text);
    for (std::size_t p = 0; p < text.size();) {
        std::size_t n = by_character ? utf8_sequence_length(text, p) : 1;
        cells.push_back(text.substr(p, n));
        p += n;
    }
    return cells;
}

std::size_t character_count(const std::string &text)
{
    if (!is_valid_utf8(text))
        return text.size();
    std::size_t count = 0;
    for (char byte : text)
        count += !is_utf8_continuation(byte);
    return count;
}

const char *unsupported_script(char32_t ch)
{
    for (const ScriptRange &range : UNSUPPORTED_SCRIPTS)
        if (ch >= range.first && ch <= range.last)
            return range.name;
    return nullptr;
}

std::string code_point_name(char32_t ch)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", unsigned(ch));
    return name;
}

std::string escaped_byte(unsigned char byte)
{
    static const char digits[] = "0123456789ABCDEF";
    return std::string("\\x") + digits[byte >> 4] + digits[byte & 15];
}

std::string terminal_text(const std::string &text)
{
    std::string shown;
    for (std::size_t p = 0; p < text.size();) {
        std::size_t n = utf8_sequence_length(text, p);
        unsigned char lead = static_cast<unsigned char>(text[p]);
        // A two-byte sequence led by 0xC2 and below 0xC2 0xA0 is a C1 control.
        bool control = n == 0 || (n == 1 && (lead < 0x20 || lead == 0x7F)) ||
                       (n == 2 && lead == 0xC2 && static_cast<unsigned char>(text[p + 1]) < 0xA0);
        if (!control) {
            shown.append(text, p, n);
            p += n;
            continue;
        }
        for (std::size_t i = 0; i < std::max<std::size_t>(n, 1); i++)
            shown += escaped_byte(static_cast<unsigned char>(text[p + i]));
        p += std::max<std::size_t>(n, 1);
    }
    return shown;
}

bool starts_as_utf16(const std::string &text)
{
    return text.compare(0, 2, "\xFF\xFE") == 0 || text.compare(0, 2, "\xFE\xFF") == 0;
}

std::string utf16_problem(const std::string &text)
{
    return "the file is saved as UTF-16 (it starts with the bytes " +
           escaped_byte(static_cast<unsigned char>(text[0])) +
           escaped_byte(static_cast<unsigned char>(text[1])) +
           "), which the programs do not read: save it as UTF-8";
}
