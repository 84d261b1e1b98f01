// The board: built once at start-up, with its numbers, ladders and chutes.
#pragma once

#include <string>

// Builds the board once: the surface from the board picture, the square table
// and its numbers, then `version` read and drawn, and the board shown on
// `screen`. Sets board_quiet to `quiet`. Needs `screen` and Font_setup.
void build_board(const std::string &version, bool quiet);

// The game's call: build_board of the version named by argv[1] (or
// DEFAULT_VERSION when there is no argument; further arguments are ignored),
// its lines printed.
void setup_board(int argc, char **argv);
