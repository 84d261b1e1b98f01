// Reading pixels back from surfaces.
#include "pixels.h"

std::uint32_t pixel_at(SDL_Surface *surface, int x, int y)
{
    SDL_LockSurface(surface);
    const Uint8 *row = static_cast<const Uint8 *>(surface->pixels) + y * surface->pitch;
    Uint32 value = 0;
    switch (surface->format->BytesPerPixel) {
    case 4: value = reinterpret_cast<const Uint32 *>(row)[x]; break;
    case 2: value = reinterpret_cast<const Uint16 *>(row)[x]; break;
    case 1: value = row[x]; break;
    default: value = Uint32(row[3 * x]) | Uint32(row[3 * x + 1]) << 8 | Uint32(row[3 * x + 2]) << 16;
    }
    SDL_UnlockSurface(surface);
    Uint8 r, g, b;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b;
}
