// Board geometry for the checker: cells, band lengths and slide frames.
#include "geometry.h"

#include <cstdlib>

namespace {

constexpr int ROW = 10;
constexpr int BOARD_PX = CELL * ROW;
constexpr int LADDER_TOP = 9;
constexpr int LADDER_PIECE = 15;
constexpr int TOKEN_CORNER[2] = {4, 24}; // Player 1 top left, Player 2 bottom right

// The largest r with r * r <= value, exactly.
int integer_sqrt(long value)
{
    long r = 0;
    while ((r + 1) * (r + 1) <= value)
        r++;
    return int(r);
}

} // namespace

int cell_x(int n)
{
    int row = n / ROW;
    int place = n % ROW;
    return row % 2 == 0 ? CELL * place : BOARD_PX - CELL - CELL * place;
}

int cell_y(int n)
{
    return BOARD_PX - CELL - CELL * (n / ROW);
}

int band_length(int from, int to)
{
    long dx = cell_x(to) - cell_x(from); // anchor offsets cancel
    long dy = cell_y(to) - cell_y(from);
    return integer_sqrt(dx * dx + dy * dy);
}

int drawn_length(int from, int to)
{
    int length = band_length(from, to);
    if (to <= from)
        return length;
    // Truncating division: every length below 24 still gets one rung piece.
    int pieces = (length - LADDER_TOP) / LADDER_PIECE + 1;
    return LADDER_TOP + LADDER_PIECE * pieces;
}

int slide_frames(int which, int from, int to)
{
    int corner = TOKEN_CORNER[which];
    int dx = cell_x(to) + SLIDE_END - (cell_x(from) + corner);
    int dy = cell_y(to) + SLIDE_END - (cell_y(from) + corner);
    return std::abs(dy) > std::abs(dx) ? std::abs(dy) : std::abs(dx);
}
