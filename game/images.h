// Decoding the compiled-in pictures into surfaces.
#pragma once

#include "pictures.h"

#include <SDL.h>

// Decodes a picture into a new surface that the caller owns; null when
// SDL_image cannot decode it (SDL_GetError says why).
SDL_Surface *read_xpm(const char *const xpm[]);

// Makes pure black (0, 0, 0) the surface's transparent colour, as every
// sprite of the game has it; does nothing for a null surface.
void key_out_black(SDL_Surface *surface);
