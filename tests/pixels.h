// Reading back what was drawn: one pixel of any surface as a colour.
#pragma once

#include <SDL.h>

#include <cstdint>

// The colour at (x, y) of a surface of any depth, as 0xRRGGBB. (x, y) must
// lie inside the surface.
std::uint32_t pixel_at(SDL_Surface *surface, int x, int y);
