// The rules and timings of the game: the one place where its numbers live,
// for the game and for the tools that reason about it.
#pragma once

constexpr int BOARD_SQUARES = 10;   // squares per row and rows per board
constexpr int SQUARE_COUNT = BOARD_SQUARES * BOARD_SQUARES;
constexpr int FIRST_SQUARE = 0;     // both tokens start here (kept: see QUIRKS.md, 'numbering from 0')
constexpr int LAST_SQUARE = SQUARE_COUNT - 1;
constexpr int WIN_SQUARE = LAST_SQUARE; // the first token on it wins
constexpr int NO_DEST = -1;         // no ladder or chute starts on the square

constexpr int PLAYERS = 2;          // index 0 is "Player 1", index 1 "Player 2"
constexpr int MAX_PLAYERS = 4;      // the most players a game can have
constexpr int DIE_FACES = 6;        // a roll is 1 to 6

constexpr int WALK_STEP_MS = 800;   // one square per step (kept: see QUIRKS.md, '800 ms walk')
constexpr int SLIDE_FRAME_MS = 50;  // one pixel per frame of a slide
constexpr int DIE_FRAME_MS = 50;    // one face per frame while the die spins
constexpr int POLL_MS = 50;         // between two looks at a playing sound

// Characters kept of a note, its line end included.
constexpr int NOTE_MAX_CHARS = 79;

// The version played when none is named.
constexpr const char *DEFAULT_VERSION = "mivo";

// Squares a token walks from `square` (0 to 98) with `roll` (1 to 6): the
// walk stops on 99 and never goes past it.
constexpr int walk_steps(int square, int roll)
{
    return square + roll > WIN_SQUARE ? WIN_SQUARE - square : roll;
}
