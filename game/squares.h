// The square table and the board surface: what every drawing module of the
// game stands on.
#pragma once

#include "geometry.h"

#include <SDL.h>

#include <array>

constexpr int NOTE_SIZE = 400;

// One square of the board.
struct Square {
    int number;           // 0 to 99
    SDL_Rect rect;        // its 48 x 48 cell, on the board and on the screen
    int dest;             // where its ladder or chute leads, or NO_DEST
    char note[NOTE_SIZE]; // its note as read, empty when nothing starts here
};

// boardarray[r][i] is square 10r + i: row r counted from the bottom, i its
// place in the row's order of numbering.
extern Square boardarray[BOARD_SQUARES][BOARD_SQUARES];
extern std::array<Square *, SQUARE_COUNT> blist; // square n by number
extern SDL_Surface *board; // the finished board in the screen's format: the
                           // clean background under the tokens

// While set, the board's building and the tokens' placing keep their lines
// off standard output (boardcheck's picture); the game leaves it clear.
extern bool board_quiet;

// printf onto standard output, unless board_quiet is set.
void board_printf(const char *format, ...) __attribute__((format(printf, 1, 2)));

// The cell of square n (0 to 99), as square_corner places it.
SDL_Rect square_rect(int n);
