// Where the game draws squares, ladders, chutes and sliding tokens, worked
// out with plain integers so the checker needs no display.
#pragma once

constexpr int CELL = 48;           // every square is 48 x 48 pixels
constexpr int SLIDE_END = 14;      // a slide ends 14 pixels into the cell
constexpr int SLIDE_FRAME_MS = 50;

// The top left corner of square n's cell (0 to 99): rows snake up from the
// bottom left, even rows left to right, odd rows right to left.
int cell_x(int n);
int cell_y(int n);

// Pixels between the anchor points of two squares, rounded down: the length
// of the band a ladder or chute is drawn along (0 for equal squares).
int band_length(int from, int to);

// Length of the picture actually drawn: a chute is as long as its band; a
// ladder is its 9-pixel top piece and whole 15-pixel rung pieces, at least
// one, so it may be up to 15 pixels longer than its band.
int drawn_length(int from, int to);

// Frames of the slide of player index `which` (0 or 1) from square `from` to
// square `to`: the longer axis distance from the token's corner of `from`
// (4, 4 or 24, 24 into the cell) to 14, 14 into the cell of `to`. Never 0:
// the corners and the slide's end always differ by 10 pixels or more.
int slide_frames(int which, int from, int to);
