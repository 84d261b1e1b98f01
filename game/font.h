// The game's own bitmap font: capitals and digits from the letter strip,
// used for the square numbers on the board.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>

constexpr int FONT_CELL_W = 10;    // every character advances this far
constexpr int FONT_CELL_H = 12;
constexpr int FONT_GLYPHS = 37;    // A-Z, the empty cell, 0-9
constexpr int FONT_EMPTY_GLYPH = 26;

extern SDL_Surface *Font_surface;                      // the letter strip, black transparent
extern std::array<SDL_Rect, FONT_GLYPHS> lrect;        // glyph g's cell in the strip
extern const std::array<std::int32_t, 128> Font_map;   // character code -> glyph

// Builds Font_surface from the letter strip and fills lrect. Call once, after
// the video mode is set and before the first Font_Write.
void Font_setup();

// Draws text onto surface with the first cell's top left at (x, y); every
// byte advances 10 pixels. Letters draw as capitals; a blank, punctuation, a
// line end or any byte of 128 and above draws the empty cell. Characters
// whose cell would start beyond the 16-bit positions of SDL are not drawn.
// Does not update the display.
void Font_Write(SDL_Surface *surface, int x, int y, const char *text);
