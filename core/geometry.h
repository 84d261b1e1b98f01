// Where the game draws its squares, ladders, chutes and tokens, in plain
// integers, so that the tools can reason about the board without a display.
#pragma once

#include "rules.h"

#include <array>

constexpr int SQUARE_SIZE = 48;                         // every square is 48 x 48 pixels
constexpr int BOARD_SIZE = SQUARE_SIZE * BOARD_SQUARES; // 480: the board's side

constexpr int TOKEN_SIZE = 20; // a token is 20 x 20
// Where each token sits inside its square, one corner each, so tokens on one
// square never overlap: Player 1 top left, Player 2 bottom right, Player 3
// bottom left, Player 4 top right.
constexpr std::array<int, MAX_PLAYERS> TOKEN_CORNER_X = {4, 24, 4, 24};
constexpr std::array<int, MAX_PLAYERS> TOKEN_CORNER_Y = {4, 24, 24, 4};
constexpr int SLIDE_END_OFFSET = 14; // a slide ends with the token centred

// A ladder or chute is a 20-pixel band from the anchor point of its start
// square to that of its end; the anchor centres the band on the square.
constexpr int BAND_WIDTH = 20;
constexpr int ANCHOR_DX = 14;
constexpr int ANCHOR_DY = 16;
constexpr int LADDER_TOP_ROWS = 9;    // rails only, at the ladder's foot
constexpr int LADDER_PIECE_ROWS = 15; // one rung and its rails, repeated
constexpr double DEGREES_PER_RADIAN = 57.29577951308238; // a band's turn is in degrees

struct Point {
    int x;
    int y;
};

// The top left corner of square n's cell (0 to 99): rows snake up from the
// bottom left, even rows left to right, odd rows right to left; 99 is the
// top left.
Point square_corner(int n);

// The point of square n from which a ladder or chute is drawn.
Point square_anchor(int n);

// Where token `which` (0 to 3) stands in its corner of square n.
Point token_corner(int which, int n);

// Distance between two points rounded down to a whole pixel (the exact
// integer square root of dx^2 + dy^2).
int strip_length(int dx, int dy);

// Rung pieces in a ladder of the given length: at least 1, then one more for
// each further 15 pixels past the top piece (truncating, so every length
// below 24 still gets one).
int ladder_pieces(int length);

// Pixels between the anchor points of two squares: the length of the band a
// ladder or chute is drawn along (0 for equal squares).
int band_length(int from, int to);

// Length of the picture actually drawn: a chute is as long as its band; a
// ladder is its top piece and whole rung pieces, so it may be up to 15
// pixels longer than its band.
int drawn_length(int from, int to);

// Frames of the slide of token `which` from its corner of square `from` to
// the slide's end in square `to`: the distance along the longer axis. Never
// 0: the corners and the slide's end always differ by 10 pixels or more.
int slide_frames(int which, int from, int to);
