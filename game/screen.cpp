// The display surface and its video mode.
#include "screen.h"

#include "platform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    // (the side panel) must start black, and blits with alpha read it
    // (mended: see QUIRKS.md, 'black panel start').
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
}

static bool driver_chosen()
{
    const char *driver = std::getenv("SDL_VIDEODRIVER");
    return driver != nullptr && driver[0] != '\0';
}

static void require_display()
{
    const char *why = platform_display_fault();
    if (driver_chosen() || why[0] == '\0')
        return;
    std::fprintf(stderr, "Cannot open a window: there is no display (%s)\n", why);
    std::exit(1);
}

static void require_visible_video()
{
    char driver[32] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    if (driver_chosen() || (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0))
        return;
    std::fprintf(stderr, "Cannot open a window: no display can be reached (SDL chose its %s video driver)\n",
                 driver);
    SDL_Quit();
    std::exit(1);
}

void prefer_software_video()
{
    // The window is a software surface anyway; presenting it through a GPU
    // renderer only loads a graphics driver stack for nothing. A value the
    // user has set is kept.
    platform_set_default_env("SDL_FRAMEBUFFER_ACCELERATION", "0");
    platform_set_default_env("SDL_RENDER_DRIVER", "software");
}

void start_SDL(std::uint32_t subsystems)
{
    prefer_software_video();
    require_display();
    if (SDL_Init(subsystems) == -1) {
        std::printf("Could not initialize SDL: %s.\n", SDL_GetError());
        std::exit(-1); // (kept: see QUIRKS.md, 'SDL failure -1')
    }
    require_visible_video();
    std::atexit(SDL_Quit);
}

void open_window()
{
    screen_flags = SDL_SRCCOLORKEY;
    change_screen(WINDOW_W, WINDOW_H);
    SDL_WM_SetCaption(CAPTION, CAPTION);
}
