// Decoding of the compiled-in pictures.
#include "images.h"

#include <SDL_image.h>

SDL_Surface *read_xpm(const char *const xpm[])
{
    // SDL_image takes a non-const array but only reads it.
    return IMG_ReadXPMFromArray(const_cast<char **>(xpm));
}

void key_out_black(SDL_Surface *surface)
{
    if (surface != nullptr)
        SDL_SetColorKey(surface, SDL_SRCCOLORKEY, SDL_MapRGB(surface->format, 0, 0, 0));
}
