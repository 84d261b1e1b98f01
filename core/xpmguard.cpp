// The picture guard: an XPM header against the strings that follow it.
#include "xpmguard.h"

#include "guards.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr char MAGIC[] = "/* XPM */";
constexpr std::size_t ROW_TAIL = 3; // the loader reads a row's `",\n` with it

XpmCheck fault(const std::string &why)
{
    XpmCheck check;
    check.found = true;
    check.fault = why;
    return check;
}

bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool hex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The next quoted string from `pos` on, as the loader finds it: up to the
// next quote; pos moves past its closing quote. False when there is none.
bool next_string(const std::string &bytes, std::size_t &pos, std::string &text)
{
    std::size_t open = bytes.find('"', pos);
    if (open == std::string::npos)
        return false;
    std::size_t close = bytes.find('"', open + 1);
    if (close == std::string::npos)
        return false;
    text.assign(bytes, open + 1, close - open - 1);
    pos = close + 1;
    return true;
}

// Reads a whole number of at most 9 digits (so it fits the loader's int)
// after any blanks; false when there is none.
bool read_number(const std::string &text, std::size_t &pos, int &value)
{
    while (pos < text.size() && blank(text[pos]))
        pos++;
    std::size_t start = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 9)
        value = value * 10 + (text[pos++] - '0');
    return pos > start && (pos == text.size() || blank(text[pos]));
}

std::string check_header(const std::string &text, XpmCheck &check)
{
    std::size_t pos = 0;
    int *fields[] = {&check.width, &check.height, &check.colours, &check.chars_per_pixel};
    for (int *field : fields)
        if (!read_number(text, pos, *field))
            return "its header \"" + text.substr(0, 40) +
                   "\" is not width, height, colours and characters per pixel";
    if (check.width < 1 || check.width > XPM_MAX_SIDE || check.height < 1 ||
        check.height > XPM_MAX_SIDE)
        return "it is " + std::to_string(check.width) + " x " + std::to_string(check.height) +
               " pixels; each side must be 1 to " + std::to_string(XPM_MAX_SIDE);
    if (check.colours < 1 || check.colours > XPM_MAX_COLOURS)
        return "it declares " + std::to_string(check.colours) + " colours; 1 to " +
               std::to_string(XPM_MAX_COLOURS) + " are allowed";
    if (check.chars_per_pixel < 1 || check.chars_per_pixel > XPM_MAX_CHARS_PER_PIXEL)
        return "it declares " + std::to_string(check.chars_per_pixel) +
               " characters per pixel; 1 to " + std::to_string(XPM_MAX_CHARS_PER_PIXEL) +
               " are allowed";
    return std::string();
}

// A colour value the loader reads safely: "#" and 3, 6 or 12 hex digits, or
// a name (which the loader looks up, refusing the picture when unknown).
bool good_value(const std::string &value)
{
    if (value[0] != '#')
        return true;
    std::size_t digits = value.size() - 1;
    return (digits == 3 || digits == 6 || digits == 12) &&
           std::all_of(value.begin() + 1, value.end(), hex);
}

// A colour string: its key, a blank, then pairs of kind and value, at least
// one of them not a symbolic name (kind "s").
bool good_colour(const std::string &text, int cpp)
{
    if (text.size() <= std::size_t(cpp) || !blank(text[cpp]) ||
        text.find('\0') != std::string::npos)
        return false;
    std::vector<std::string> words;
    std::size_t pos = std::size_t(cpp);
    for (;;) {
        while (pos < text.size() && blank(text[pos]))
            pos++;
        if (pos == text.size())
            break;
        std::size_t start = pos;
        while (pos < text.size() && !blank(text[pos]))
            pos++;
        words.push_back(text.substr(start, pos - start));
    }
    if (words.empty() || words.size() % 2 != 0)
        return false;
    bool coloured = false;
    for (std::size_t w = 0; w < words.size(); w += 2) {
        if (!good_value(words[w + 1]))
            return false;
        coloured = coloured || words[w][0] != 's';
    }
    return coloured;
}

std::uint32_t key_of(const char *p, int cpp)
{
    std::uint32_t key = 0;
    for (int i = 0; i < cpp; i++)
        key = key << 8 | static_cast<unsigned char>(p[i]);
    return key;
}

} // namespace

XpmCheck check_xpm_bytes(const std::string &bytes)
{
    if (bytes.compare(0, sizeof MAGIC - 1, MAGIC) != 0)
        return fault("it is not an XPM picture (it does not start with \"/* XPM */\")");
    std::size_t pos = 0;
    std::string text;
    if (!next_string(bytes, pos, text))
        return fault("it has no header string");
    XpmCheck check;
    std::string why = check_header(text, check);
    if (!why.empty())
        return fault(why);
    const int cpp = check.chars_per_pixel;
    std::vector<std::uint32_t> keys;
    for (int c = 0; c < check.colours; c++) {
        if (!next_string(bytes, pos, text))
            return fault("it declares " + std::to_string(check.colours) + " colours but holds " +
                         std::to_string(c));
        if (!good_colour(text, cpp))
            return fault("its colour " + std::to_string(c + 1) + " \"" + text.substr(0, 40) +
                         "\" is not a key and a colour");
        keys.push_back(key_of(text.data(), cpp));
    }
    std::sort(keys.begin(), keys.end());
    // One-character keys, the usual case, are looked up in a table.
    std::array<bool, 256> single{};
    for (std::uint32_t key : keys)
        single[key & 0xFF] = cpp == 1;
    const std::size_t row_chars = std::size_t(check.width) * std::size_t(cpp);
    for (int y = 0; y < check.height; y++) {
        std::size_t open = bytes.find('"', pos);
        if (open == std::string::npos || bytes.size() - open - 1 < row_chars + ROW_TAIL)
            return fault("it declares " + std::to_string(check.height) + " rows but holds " +
                         std::to_string(y));
        const char *row = bytes.data() + open + 1;
        if (std::memchr(row, '"', row_chars) != nullptr || row[row_chars] != '"')
            return fault("its row " + std::to_string(y + 1) + " does not hold " +
                         std::to_string(check.width) + " pixels of " + std::to_string(cpp) +
                         " characters");
        for (std::size_t x = 0; x < row_chars; x += std::size_t(cpp))
            if (cpp == 1 ? !single[static_cast<unsigned char>(row[x])]
                         : !std::binary_search(keys.begin(), keys.end(), key_of(row + x, cpp)))
                return fault("its row " + std::to_string(y + 1) + " has a pixel of no colour");
        pos = open + 1 + row_chars + ROW_TAIL;
    }
    check.found = true;
    check.ok = true;
    return check;
}

XpmCheck check_xpm_file(const std::string &path, std::string &bytes)
{
    FileRead file = read_regular_file(path, PICTURE_FILE_MAX_BYTES);
    bytes.clear();
    if (!file.ok) {
        XpmCheck check = fault(file.fault);
        check.found = !file.missing;
        return check;
    }
    bytes.swap(file.bytes);
    return check_xpm_bytes(bytes);
}
