// A picture of a version's board, drawn by the game's own start-up code
// without a window and written as a PNG file.
#pragma once

#include <ostream>
#include <string>

// Draws the board of `version` (read from the working folder) exactly as the
// game shows it at start-up, before the first turn: the board, its numbers,
// ladders and chutes and both tokens on square 0, BOARD_SIZE pixels square
// (the side panel is left out). Writes it to `png_path` with
// write_file_replacing: an old picture is replaced only by a whole new one,
// a device is written in place.
// Returns 0, or 2 with a message on `err` when the version file cannot be
// opened or the picture not written; a build without a PNG writer always
// says so and returns 2. The reader's problems go to `err`, as in the game.
int write_board_picture(const std::string &version, const std::string &png_path,
                        std::ostream &err);
