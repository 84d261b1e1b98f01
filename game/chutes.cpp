// Ladder and chute pictures on the board.
#include "chutes.h"

#include "images.h"
#include "screen.h"
#include "squares.h"

#include <SDL_rotozoom.h>

#include <algorithm>
#include <cmath>

SDL_Surface *s_chute = nullptr;
SDL_Surface *s_ladder = nullptr;

double turn_angle(int dx, int dy)
{
    double direction = std::atan2(double(dy), double(dx)) * DEGREES_PER_RADIAN;
    return -(direction - 90.0);
}

static SurfacePtr new_strip(int height)
{
    return SurfacePtr(SDL_CreateRGBSurface(0, BAND_WIDTH, height, 32, 0, 0, 0, 0));
}

static void copy_rows(SDL_Surface *tile, int from_row, int rows, SDL_Surface *strip, int to_row)
{
    SDL_Rect from{0, Sint16(from_row), BAND_WIDTH, Uint16(rows)};
    SDL_Rect to{0, Sint16(to_row), 0, 0};
    SDL_UpperBlit(tile, &from, strip, &to);
}

// Turns the strip, keys out black and copies it onto the board at the
// smaller corner of the two points. Returns the turned picture's depth.
static int turn_and_place(SDL_Surface *strip, double angle, int x1, int y1, int x2, int y2)
{
    SurfacePtr picture(rotozoomSurface(strip, angle, 1.0, SMOOTHING_ON));
    if (picture == nullptr)
        return 0;
    key_out_black(picture.get());
    SDL_Rect to{Sint16(std::min(x1, x2)), Sint16(std::min(y1, y2)), 0, 0};
    SDL_UpperBlit(picture.get(), nullptr, board, &to);
    return picture->format->BitsPerPixel;
}

void makechute(int x1, int y1, int x2, int y2)
{
    int length = strip_length(x2 - x1, y2 - y1);
    double angle = turn_angle(x2 - x1, y2 - y1);
    SurfacePtr strip = new_strip(length);
    if (strip == nullptr)
        return;
    board_printf("Unrotated chute format = %d\n", strip->format->BitsPerPixel);
    for (int k = 0; k < length; k++)
        copy_rows(s_chute, 0, 1, strip.get(), k);
    // A chute between equal squares has no rows and shows nothing; the
    // rotator is not asked to sample an empty picture. A turned picture keeps
    // the strip's 32 bits.
    int depth = length > 0 ? turn_and_place(strip.get(), angle, x1, y1, x2, y2)
                           : strip->format->BitsPerPixel;
    board_printf("Roto format = %d\n", depth); // twice (kept: see QUIRKS.md, 'Roto format twice')
    board_printf("Roto format = %d\n", depth);
}

void makeladder(int x1, int y1, int x2, int y2)
{
    board_printf("At start %d, %d to %d, %d\n", x1, y1, x2, y2);
    int length = strip_length(x2 - x1, y2 - y1);
    int pieces = ladder_pieces(length);
    SurfacePtr strip = new_strip(LADDER_PIECE_ROWS * pieces + LADDER_TOP_ROWS);
    if (strip == nullptr)
        return;
    copy_rows(s_ladder, 0, LADDER_TOP_ROWS, strip.get(), 0);
    for (int k = 0; k < pieces; k++)
        copy_rows(s_ladder, LADDER_TOP_ROWS, LADDER_PIECE_ROWS, strip.get(),
                  LADDER_TOP_ROWS + LADDER_PIECE_ROWS * k);
    turn_and_place(strip.get(), turn_angle(x2 - x1, y2 - y1), x1, y1, x2, y2);
}
