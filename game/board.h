// The board: the square table and the board surface with numbers, ladders
// and chutes.
#pragma once

#include <SDL.h>

#include <array>

constexpr int SQUARE_SIZE = 48;     // every square is 48 x 48 pixels
constexpr int BOARD_SQUARES = 10;   // squares per row and rows per board
constexpr int BOARD_SIZE = SQUARE_SIZE * BOARD_SQUARES; // 480: the board's side
constexpr int SQUARE_COUNT = BOARD_SQUARES * BOARD_SQUARES;
constexpr int NO_DEST = -1;         // no ladder or chute starts on the square
constexpr int NOTE_SIZE = 400;
constexpr const char *DEFAULT_VERSION = "mivo";

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

// The cell of square n (0 to 99): rows snake up from the bottom left, even
// rows left to right, odd rows right to left; 99 is the top left.
SDL_Rect square_rect(int n);

// Builds the board once: the surface from the board picture, the square table
// and its numbers, then the version named by argv[1] (or DEFAULT_VERSION when
// there is no argument; further arguments are ignored) read and drawn, and
// the board shown on `screen`. Needs `screen` and Font_setup.
void setup_board(int argc, char **argv);
