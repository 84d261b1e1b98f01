// The square table and the board surface.
#include "squares.h"

#include <cstdarg>
#include <cstdio>

Square boardarray[BOARD_SQUARES][BOARD_SQUARES];
std::array<Square *, SQUARE_COUNT> blist;
SDL_Surface *board = nullptr;
bool board_quiet = false;

void board_printf(const char *format, ...)
{
    if (board_quiet)
        return;
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
}

SDL_Rect square_rect(int n)
{
    Point corner = square_corner(n);
    return SDL_Rect{Sint16(corner.x), Sint16(corner.y), SQUARE_SIZE, SQUARE_SIZE};
}
