// Board geometry: cells, anchors, token corners, band lengths and slides.
#include "geometry.h"

#include <cmath>
#include <cstdlib>

Point square_corner(int n)
{
    int row = n / BOARD_SQUARES;
    int place = n % BOARD_SQUARES;
    int x = row % 2 == 0 ? SQUARE_SIZE * place : BOARD_SIZE - SQUARE_SIZE - SQUARE_SIZE * place;
    return Point{x, BOARD_SIZE - SQUARE_SIZE - SQUARE_SIZE * row};
}

Point square_anchor(int n)
{
    Point cell = square_corner(n);
    return Point{cell.x + ANCHOR_DX, cell.y + ANCHOR_DY};
}

Point token_corner(int which, int n)
{
    Point cell = square_corner(n);
    return Point{cell.x + TOKEN_CORNER_X[which], cell.y + TOKEN_CORNER_Y[which]};
}

int strip_length(int dx, int dy)
{
    long long sq = (long long)dx * dx + (long long)dy * dy;
    long long root = (long long)std::sqrt((double)sq);
    while (root * root > sq)
        root--;
    while ((root + 1) * (root + 1) <= sq)
        root++;
    return int(root);
}

int ladder_pieces(int length)
{
    return (length - LADDER_TOP_ROWS) / LADDER_PIECE_ROWS + 1;
}

int band_length(int from, int to)
{
    Point a = square_anchor(from);
    Point b = square_anchor(to);
    return strip_length(b.x - a.x, b.y - a.y);
}

int drawn_length(int from, int to)
{
    int length = band_length(from, to);
    if (to <= from)
        return length;
    return LADDER_TOP_ROWS + LADDER_PIECE_ROWS * ladder_pieces(length);
}

int slide_frames(int which, int from, int to)
{
    Point start = token_corner(which, from);
    Point cell = square_corner(to);
    int dx = std::abs(cell.x + SLIDE_END_OFFSET - start.x);
    int dy = std::abs(cell.y + SLIDE_END_OFFSET - start.y);
    return dy > dx ? dy : dx;
}
