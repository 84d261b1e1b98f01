// Word wrapping of a note into the side panel.
#include "note.h"

#include "screen.h"

#include <SDL_gfxPrimitives.h>

#include <string>

namespace {

// Where the next word goes and how full the current line is.
struct Pen {
    int left;
    int line_height;
    int x;
    int y;
    int used; // cells used on the current line
};

void new_line(Pen &pen)
{
    pen.y += pen.line_height;
    pen.x = pen.left;
}

void draw_word(const Pen &pen, const std::string &word)
{
    stringRGBA(screen, Sint16(pen.x), Sint16(pen.y), word.c_str(), 255, 255, 255, 255);
}

} // namespace

void display_note(const char *text, int max_chars, int x, int y, int char_width,
                  int line_height)
{
    if (text == nullptr || text[0] == '\0' || max_chars < 2)
        return;
    const int cells = max_chars - 1; // the most characters a line, and a word, holds
    Pen pen{x, line_height, x, y, 0};
    std::string word;
    for (const char *p = text + 1; *p != '\0'; p++) {
        word += *p;
        const int len = int(word.size());
        if (p[1] == ' ') {
            // Only the word itself must fit; its separating blank may not.
            if (pen.used + len > cells) {
                new_line(pen);
                pen.used = 0;
            }
            draw_word(pen, word);
            pen.used += len + 1;
            pen.x += char_width * (len + 1);
            word.clear();
            p++; // the separating blank is consumed, never drawn
        } else if (len == cells) {
            if (pen.used > 0)
                new_line(pen);
            draw_word(pen, word);
            new_line(pen);
            pen.used = 0;
            word.clear();
        }
    }
    if (word.empty())
        return;
    // The last word's line end counts as one cell when it is fitted, and is
    // then dropped; a text without a line end loses its last letter instead
    // (kept: see QUIRKS.md, 'note loses last').
    if (pen.used + int(word.size()) > cells)
        new_line(pen);
    word.pop_back();
    draw_word(pen, word);
}
