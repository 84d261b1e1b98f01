// The board: built once at start-up, with its numbers, ladders and chutes.
#pragma once

// Builds the board once: the surface from the board picture, the square table
// and its numbers, then the version named by argv[1] (or DEFAULT_VERSION when
// there is no argument; further arguments are ignored) read and drawn, and
// the board shown on `screen`. Needs `screen` and Font_setup.
void setup_board(int argc, char **argv);
