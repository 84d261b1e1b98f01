// The game's own bitmap font for the square numbers.
#include "font.h"

#include "images.h"

#include <cstdint>

SDL_Surface *Font_surface = nullptr;
std::array<SDL_Rect, FONT_GLYPHS> lrect;

// Glyph of every character code: A-Z and a-z are 0-25, the digits 27-36,
// everything else the empty cell 26.
const std::array<std::int32_t, 128> Font_map = {
    26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, //   0- 15
    26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, //  16- 31
    26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, //  32- 47
    27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 26, 26, 26, 26, 26, 26, //  48- 63
    26,  0,  1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12, 13, 14, //  64- 79
    15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 26, 26, 26, 26, //  80- 95
    26,  0,  1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12, 13, 14, //  96-111
    15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 26, 26, 26, 26, // 112-127
};

void Font_setup()
{
    Font_surface = read_xpm(letters_xpm);
    key_out_black(Font_surface);
    for (int g = 0; g < FONT_GLYPHS; g++)
        lrect[g] = SDL_Rect{Sint16(FONT_CELL_W * g), 0, FONT_CELL_W, FONT_CELL_H};
}

// Bytes of 128 and above have no glyph; they take the empty cell rather than
// an index from outside the table.
static int glyph_of(unsigned char c)
{
    return c < Font_map.size() ? Font_map[c] : FONT_EMPTY_GLYPH;
}

void Font_Write(SDL_Surface *surface, int x, int y, const char *text)
{
    // A blit rectangle holds 16-bit positions: a cell outside them can never
    // be on a surface, and wrapping it round would draw it over the start of
    // the text.
    if (y < INT16_MIN || y > INT16_MAX)
        return;
    long cell_x = x;
    for (const char *p = text; *p != '\0' && cell_x <= INT16_MAX; p++, cell_x += FONT_CELL_W) {
        if (cell_x < INT16_MIN)
            continue;
        SDL_Rect to{Sint16(cell_x), Sint16(y), FONT_CELL_W, FONT_CELL_H}; // the blit clips it
        SDL_UpperBlit(Font_surface, &lrect[glyph_of(static_cast<unsigned char>(*p))],
                      surface, &to);
    }
}
