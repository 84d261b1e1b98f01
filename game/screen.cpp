// The display surface and its video mode.
#include "screen.h"

#include "platform.h"

#include <cstdio>
#include <cstdlib>

SDL_Surface *screen = nullptr;
std::uint32_t screen_flags = 0;

void change_screen(int width, int height)
{
    screen = SDL_SetVideoMode(width, height, 32, screen_flags);
    if (screen == nullptr) {
        std::fprintf(stderr, "Error changing screen mode: %s\n", SDL_GetError());
        std::exit(1);
    }
    // A new mode's pixels are not cleared by SDL; what is not drawn over
    // (the side panel) must start black, and blits with alpha read it.
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
}

void prefer_software_video()
{
    // The window is a software surface anyway; presenting it through a GPU
    // renderer only loads a graphics driver stack for nothing. A value the
    // user has set is kept.
    platform_set_default_env("SDL_FRAMEBUFFER_ACCELERATION", "0");
    platform_set_default_env("SDL_RENDER_DRIVER", "software");
}
