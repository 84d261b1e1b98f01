// The chosen version: its name and the reading of its records into the
// square table and onto the board.
#pragma once

#include "outcome.h"
#include "records.h"

#include <optional>
#include <string>

extern std::string location; // the version being played

// Puts records into the square table (dest and note of every record's start
// square, the later of two records for one square winning) and draws each
// record's ladder or chute onto `board` in their order. Loads the ladder and
// chute tiles the first time. Needs blist and board, filled afresh.
void place_records(const std::vector<VersionRecord> &records);

// Reads "./<version>/<version>.config", sets `location` to `version` and
// places its records. Malformed lines are skipped with a message on
// standard error naming the file and line. A file that cannot be read is
// returned as a failure naming its path (status 1), and nothing is placed.
std::optional<Failure> read_config(const std::string &version);
