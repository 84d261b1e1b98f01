// The square table and the board surface.
#include "squares.h"

Square boardarray[BOARD_SQUARES][BOARD_SQUARES];
std::array<Square *, SQUARE_COUNT> blist;
SDL_Surface *board = nullptr;

SDL_Rect square_rect(int n)
{
    Point corner = square_corner(n);
    return SDL_Rect{Sint16(corner.x), Sint16(corner.y), SQUARE_SIZE, SQUARE_SIZE};
}
