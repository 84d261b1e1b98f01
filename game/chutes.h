// Drawing ladders and chutes onto the board: a 20-pixel band built upright
// from its tile, turned towards the end point and copied with black
// transparent.
#pragma once

constexpr int BAND_WIDTH = 20;
constexpr int LADDER_TOP_ROWS = 9;    // rails only, at the ladder's foot
constexpr int LADDER_PIECE_ROWS = 15; // one rung and its rails, repeated

// Distance between two points rounded down to a whole pixel (the exact
// integer square root of dx^2 + dy^2).
int strip_length(int dx, int dy);

// Degrees to turn an upright strip, counter-clockwise on the screen, so that
// its top-to-bottom direction points along (dx, dy): 0 straight down, 180
// straight up, 90 to the right, -90 to the left.
double turn_angle(int dx, int dy);

// Rung pieces in a ladder of the given length: at least 1, then one more for
// each further 15 pixels past the top piece.
int ladder_pieces(int length);

// Draw a chute or a ladder from (x1, y1) to (x2, y2) on `board`: the turned
// picture's top left goes to the smaller x and the smaller y of the two
// points. A chute prints its strip's and picture's formats; a ladder prints
// "At start x1, y1 to x2, y2". Need `board` and the tiles of the version.
void makechute(int x1, int y1, int x2, int y2);
void makeladder(int x1, int y1, int x2, int y2);
