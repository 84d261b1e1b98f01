// Word wrapping of a note into the side panel, and the drawing of characters
// beyond the 8-bit font.
#include "note.h"

#include "panel.h"
#include "screen.h"
#include "utf8.h"

#include <SDL_gfxPrimitives.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

WideFont Note_glyphs;

namespace {

bool glyph_fault_said = false;

// Where the next word goes and how full the current line is.
struct Pen {
    int left;
    int line_height;
    int char_width;
    int x;
    int y;
    int used; // cells used on the current line
};

void new_line(Pen &pen)
{
    pen.y += pen.line_height;
    pen.x = pen.left;
}

constexpr SDL_Color WHITE = {255, 255, 255, 0};

// One glyph of 13 rows, its top left at (x, y).
void draw_rows(SDL_Surface *surface, int x, int y, const GlyphRows &rows, SDL_Color colour)
{
    for (int r = 0; r < WIDE_GLYPH_ROWS; r++)
        for (int b = 0; b < 8; b++)
            if (rows[std::size_t(r)] & (0x80 >> b))
                pixelRGBA(surface, Sint16(x + b), Sint16(y + r), colour.r, colour.g, colour.b, 255);
}

// A word read as characters: those of the 8-bit font as SDL_gfx draws them,
// the others from the wide glyphs, a box where there is none.
void draw_characters(SDL_Surface *surface, int x, int y, int char_width, const std::string &word,
                     SDL_Color colour)
{
    if (surface == nullptr) // SDL_gfx reads the surface's clip rectangle
        return;
    for (char32_t ch : text_characters(word)) {
        if (ch < 0x100 && panel_has_glyph(Note_glyphs, ch)) {
            characterRGBA(surface, Sint16(x), Sint16(y), char(ch), colour.r, colour.g, colour.b, 255);
        } else {
            // (a control character too: its 8-bit cell is blank or a sign of
            // that font's own, which a note read as characters does not show)
            const GlyphRows *rows = ch < 0x100 ? nullptr : wide_glyph(Note_glyphs, ch);
            if (ch >= 0x100 && rows == nullptr && !Note_glyphs.loaded && !glyph_fault_said) {
                std::fprintf(stderr, "boardgame: cannot use the glyphs beyond the 8-bit font: %s;"
                                     " such characters show as boxes\n", Note_glyphs.fault.c_str());
                glyph_fault_said = true;
            }
            draw_rows(surface, x, y, rows != nullptr ? *rows : MISSING_GLYPH, colour);
        }
        x += char_width;
    }
}

void draw_word(const Pen &pen, const std::string &word, bool by_character)
{
    if (by_character)
        draw_characters(screen, pen.x, pen.y, pen.char_width, word, WHITE);
    else
        stringRGBA(screen, Sint16(pen.x), Sint16(pen.y), word.c_str(), 255, 255, 255, 255);
}

} // namespace

void draw_text_line(SDL_Surface *surface, int x, int y, const std::string &text, SDL_Color colour)
{
    if (is_valid_utf8(text))
        draw_characters(surface, x, y, PANEL_FONT_W, text, colour);
    else if (surface != nullptr)
        stringRGBA(surface, Sint16(x), Sint16(y), text.c_str(), colour.r, colour.g, colour.b, 255);
}

void load_note_glyphs()
{
    Note_glyphs = read_wide_font(WIDE_FONT);
}

void display_note(const char *text, int max_chars, int x, int y, int char_width,
                  int line_height)
{
    if (text == nullptr || text[0] == '\0' || max_chars < 2)
        return;
    const std::vector<std::string> cell = text_cells(text);
    const bool by_character = cell.size() != std::strlen(text);
    const int cells = max_chars - 1; // the most characters a line, and a word, holds
    Pen pen{x, line_height, char_width, x, y, 0};
    std::string word;
    int len = 0; // characters in word
    for (std::size_t i = 1; i < cell.size(); i++) {
        word += cell[i];
        len++;
        if (i + 1 < cell.size() && cell[i + 1] == " ") {
            // Only the word itself must fit; its separating blank may not.
            if (pen.used + len > cells) {
                new_line(pen);
                pen.used = 0;
            }
            draw_word(pen, word, by_character);
            pen.used += len + 1;
            pen.x += char_width * (len + 1);
            word.clear();
            len = 0;
            i++; // the separating blank is consumed, never drawn
        } else if (len == cells) {
            if (pen.used > 0)
                new_line(pen);
            draw_word(pen, word, by_character);
            new_line(pen);
            pen.used = 0;
            word.clear();
            len = 0;
        }
    }
    if (word.empty())
        return;
    // The last word's line end counts as one cell when it is fitted, and is
    // then dropped; a text without a line end loses its last letter instead
    // (kept: see QUIRKS.md, 'note loses last').
    if (pen.used + len > cells)
        new_line(pen);
    word.resize(word.size() - cell.back().size());
    draw_word(pen, word, by_character);
}
