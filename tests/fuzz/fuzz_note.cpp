// Fuzz target: the word wrapping of display_note, with stringRGBA replaced at
// link time by a recorder. For any text and max_chars from 2 to 40: no drawn
// string holds more than max_chars - 1 cells or leaves the column from x to
// x + (max_chars - 1) * char_width, the first string is on the first line and
// each later one on the same line or the next (line_height further down), and
// the drawn strings give back the text's characters apart from its first, the
// separating blanks and the documented dropped last character.
#include "note.h"
#include "utf8.h"

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Drawn {
    int x, y;
    std::string text;
};
std::vector<Drawn> drawn;

void require(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

std::string without_blanks(const std::string &s)
{
    std::string out;
    for (char c : s)
        if (c != ' ')
            out += c;
    return out;
}

} // namespace

extern "C" int __wrap_stringRGBA(SDL_Surface *, Sint16 x, Sint16 y, const char *s, Uint8 r,
                                 Uint8 g, Uint8 b, Uint8 a)
{
    require(r == 255 && g == 255 && b == 255 && a == 255, "notes are opaque white");
    drawn.push_back(Drawn{x, y, s});
    return 0;
}

// Input: max_chars, x, y, char_width and line_height from the first five
// bytes, then the text (up to its first NUL, at most 1000 bytes so that the
// lines stay within 16-bit positions).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 5)
        return 0;
    const int max_chars = 2 + data[0] % 39, x = data[1] * 2, y = data[2];
    const int char_width = 1 + data[3] % 8, line_height = 1 + data[4] % 20;
    std::string text(reinterpret_cast<const char *>(data + 5), std::min<std::size_t>(size - 5, 1000));
    text = text.c_str();
    drawn.clear();
    display_note(text.c_str(), max_chars, x, y, char_width, line_height);
    if (is_valid_utf8(text) && character_count(text) != text.size())
        return 0;

    const int cells = max_chars - 1;
    std::string joined;
    for (std::size_t i = 0; i < drawn.size(); i++) {
        const Drawn &d = drawn[i];
        require(int(d.text.size()) <= cells, "a string of at most max_chars - 1 cells");
        require(d.x >= x, "no string starts left of x");
        require(d.x + int(d.text.size()) * char_width <= x + cells * char_width,
                "no string ends right of the column");
        int previous_y = i == 0 ? y : drawn[i - 1].y;
        require(d.y == previous_y || (i > 0 && d.y == previous_y + line_height),
                "lines advance by exactly line_height");
        joined += d.text;
    }
    // Blanks are separators or drawn as empty cells, so compare without them.
    std::string want = without_blanks(text.size() > 1 ? text.substr(1) : "");
    std::string got = without_blanks(joined);
    bool last_dropped = !want.empty() && text.back() != ' ' &&
                        got == want.substr(0, want.size() - 1);
    require(got == want || last_dropped, "the drawn words are the text's words");
    return 0;
}
