// The side panel's layout: where the turn prompt and the notes are written,
// beside the die (die.h), and the font they are written in.
#pragma once

constexpr int PANEL_X = 490;       // left edge of the panel's text
constexpr int PROMPT_Y = 230;
constexpr int PROMPT_W = 150;
constexpr int PROMPT_H = 20;
constexpr int NOTE_Y = 300;
constexpr int NOTE_WRAP = 23;      // lines of at most 22 cells
constexpr int NOTE_CHAR_W = 6;
constexpr int NOTE_LINE_H = 15;    // 13-pixel rows with 2 pixels between
constexpr int PANEL_CLEAR_W = 150; // the prompt and every note line
constexpr int PANEL_CLEAR_H = 200;

constexpr int PANEL_FONT_W = 6;    // the 6 x 13 text font of the prompt and notes
constexpr int PANEL_FONT_H = 13;
