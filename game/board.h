// The board: its picture, its numbers, its ladders and chutes. It can be
// built again and again in one run (another version, or the same one
// changed); each build replaces the last.
#pragma once

#include "outcome.h"
#include "records.h"

#include <optional>
#include <string>
#include <vector>

// Builds the board: the surface from the board picture (the last one freed),
// the square table and its numbers, then `version` read and drawn, and the
// board shown on `screen`. Sets board_quiet to `quiet`. Needs `screen` and
// Font_setup. Returns why it could not (the picture, or the version's file).
std::optional<Failure> build_board(const std::string &version, bool quiet);

// build_board without showing it: the board surface and the square table
// only (the menu's small picture of a board).
std::optional<Failure> read_board(const std::string &version, bool quiet);

// The same board built from records in memory; `location` is left alone.
std::optional<Failure> build_board(const std::vector<VersionRecord> &records, bool quiet);

// The design's call: build_board of the version named by argv[1] (or
// DEFAULT_VERSION when there is no argument; further arguments are ignored),
// its lines printed.
std::optional<Failure> setup_board(int argc, char **argv);
