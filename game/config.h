// The chosen version: its name, its ladder and chute tiles and the reading
// of its records into the square table.
#pragma once

#include <SDL.h>

#include <string>

extern std::string location;    // the version name, kept for the whole run
extern SDL_Surface *s_chute;    // 20 x 1: a chute's cross-section
extern SDL_Surface *s_ladder;   // 20 x 24: a ladder's top piece and rung piece

// The point of square n from which a ladder or chute is drawn: its cell's
// corner plus (14, 16).
SDL_Rect anchor_point(int n);

// Reads "./<version>/<version>.config" into the square table (dest and note of
// every record's start square, the later of two records for one square
// winning) and draws each record's ladder or chute onto `board` in file order.
// Malformed lines are skipped with a message on standard error naming the file
// and line. A file that cannot be opened: a message naming its path on
// standard error and exit status 1. Needs blist and board.
void read_config(const std::string &version);
