// Word wrapping of a note into the side panel, and the drawing of characters
// beyond the 8-bit font.
#include "note.h"

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

// One glyph of 13 rows, white, its top left at (x, y).
void draw_rows(int x, int y, const GlyphRows &rows)
{
    for (int r = 0; r < WIDE_GLYPH_ROWS; r++)
        for (int b = 0; b < 8; b++)
            if (rows[std::size_t(r)] & (0x80 >> b))
                pixelRGBA(screen, Sint16(x + b), Sint16(y + r), 255, 255, 255, 255);
}

// A word of a note read as characters: those of the 8-bit font as SDL_gfx
// draws them, the others from the wide glyphs, a box where there is none.
void draw_characters(const Pen &pen, const std::string &word)
{
    if (screen == nullptr) // SDL_gfx reads the surface's clip rectangle
        return;
    int x = pen.x;
    for (char32_t ch : text_characters(word)) {
        if (ch < 0x100 && panel_has_glyph(Note_glyphs, ch)) {
            characterRGBA(screen, Sint16(x), Sint16(pen.y), char(ch), 255, 255, 255, 255);
        } else {
            // (a control character too: its 8-bit cell is blank or a sign of
            // that font's own, which a note read as characters does not show)
            const GlyphRows *rows = ch < 0x100 ? nullptr : wide_glyph(Note_glyphs, ch);
            if (ch >= 0x100 && rows == nullptr && !Note_glyphs.loaded && !glyph_fault_said) {
                std::fprintf(stderr, "boardgame: cannot use the glyphs beyond the 8-bit font: %s;"
                                     " such characters show as boxes\n", Note_glyphs.fault.c_str());
                glyph_fault_said = true;
            }
            draw_rows(x, pen.y, rows != nullptr ? *rows : MISSING_GLYPH);
        }
        x += pen.char_width;
    }
}

void draw_word(const Pen &pen, const std::string &word, bool by_character)
{
    if (by_character)
        draw_characters(pen, word);
    else
        stringRGBA(screen, Sint16(pen.x), Sint16(pen.y), word.c_str(), 255, 255, 255, 255);
}

// The note's cells: one a character when the text is valid UTF-8, one a
// byte otherwise (the two are the same for ASCII).
std::vector<std::string> cells_of(const std::string &text)
{
    std::vector<std::string> cells;
    bool by_character = is_valid_utf8(text);
    for (std::size_t p = 0; p < text.size();) {
        std::size_t n = by_character ? utf8_sequence_length(text, p) : 1;
        cells.push_back(text.substr(p, n));
        p += n;
    }
    return cells;
}

} // namespace

void draw_panel_line(const std::string &text, int x, int y, int char_width)
{
    Pen pen{x, 0, char_width, x, y, 0};
    draw_word(pen, text, is_valid_utf8(text));
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
    const std::vector<std::string> cell = cells_of(text);
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
