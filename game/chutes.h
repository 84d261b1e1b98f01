// Drawing ladders and chutes onto the board: a 20-pixel band built upright
// from its tile, turned towards the end point and copied with black
// transparent.
#pragma once

#include "geometry.h"

#include <SDL.h>

// The version's tiles, built when its file is read.
extern SDL_Surface *s_chute;  // 20 x 1: a chute's cross-section
extern SDL_Surface *s_ladder; // 20 x 24: a ladder's top piece and rung piece

// Degrees to turn an upright strip, counter-clockwise on the screen, so that
// its top-to-bottom direction points along (dx, dy): 0 straight down, 180
// straight up, 90 to the right, -90 to the left.
double turn_angle(int dx, int dy);

// Draw a chute or a ladder from (x1, y1) to (x2, y2) on `board`: the turned
// picture's top left goes to the smaller x and the smaller y of the two
// points. A chute prints its strip's and picture's formats; a ladder prints
// "At start x1, y1 to x2, y2". Need `board` and the tiles of the version.
void makechute(int x1, int y1, int x2, int y2);
void makeladder(int x1, int y1, int x2, int y2);
