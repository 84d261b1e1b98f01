// The note of a ladder or chute square, word-wrapped in the side panel.
#pragma once

#include "widefont.h"

#include <SDL.h>

#include <string>

// The glyphs beyond the 8-bit font, read by load_note_glyphs at start-up;
// when they could not be read (Note_glyphs.fault says why) such characters
// draw as boxes and the first one drawn says so once on standard error.
extern WideFont Note_glyphs;
void load_note_glyphs();

// Draws `text` (NUL-terminated, any bytes) on `screen` in white, in the panel
// font, as words wrapped into lines of max_chars - 1 cells: the first line's
// top left at (x, y), cells char_width wide, lines line_height apart. A text
// that is valid UTF-8 is read as characters, one cell each: those below
// U+0100 in the 8-bit font, the others from Note_glyphs, MISSING_GLYPH's box
// for one neither has (a control character too, whatever its 8-bit cell);
// any other text is read byte by byte in the 8-bit font.
// The first character (the blank after the destination number) is skipped,
// only the blank separates words, a word longer than a line is broken into
// line-long pieces, and the text's last character (its line end) is dropped.
// Draws nothing for an empty or one-character text or max_chars below 2.
// Never updates the display.
void display_note(const char *text, int max_chars, int x, int y, int char_width,
                  int line_height);

// Draws one line of text on `surface` in `colour`, its top left at (x, y),
// in the panel font, 6 pixels a cell: valid UTF-8 as characters (as a note),
// any other text byte by byte. Never updates the display.
void draw_text_line(SDL_Surface *surface, int x, int y, const std::string &text, SDL_Color colour);
