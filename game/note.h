// The note of a ladder or chute square, word-wrapped in the side panel.
#pragma once

// Draws `text` (NUL-terminated, any bytes) on `screen` in white, in the panel
// font, as words wrapped into lines of max_chars - 1 cells: the first line's
// top left at (x, y), cells char_width wide, lines line_height apart. The
// first character (the blank after the destination number) is skipped, only
// the blank separates words, a word longer than a line is broken into
// line-long pieces, and the text's last character (its line end) is dropped.
// Draws nothing for an empty or one-character text or max_chars below 2.
// Never updates the display.
void display_note(const char *text, int max_chars, int x, int y, int char_width,
                  int line_height);
