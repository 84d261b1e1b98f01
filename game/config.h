// The chosen version: its name and the reading of its records into the
// square table and onto the board.
#pragma once

#include <string>

extern std::string location; // the version name, kept for the whole run

// Builds the ladder and chute tiles, then reads
// "./<version>/<version>.config" into the square table (dest and note of
// every record's start square, the later of two records for one square
// winning) and draws each record's ladder or chute onto `board` in file order.
// Malformed lines are skipped with a message on standard error naming the file
// and line. A file that cannot be read: a message naming its path on
// standard error and exit status 1. Needs blist and board.
void read_config(const std::string &version);
