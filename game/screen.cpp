// The display surface and its video mode.
#include "screen.h"

#include "platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

SDL_Surface *screen = nullptr;
std::uint32_t screen_flags = 0;

// A message made with printf's format.
static std::string formatted(const char *format, const char *value)
{
    int size = std::snprintf(nullptr, 0, format, value);
    std::string text(std::size_t(size > 0 ? size : 0), '\0');
    std::snprintf(text.data(), text.size() + 1, format, value);
    return text;
}

Uint32 screen_colour(SDL_Color colour)
{
    return SDL_MapRGB(screen->format, colour.r, colour.g, colour.b);
}

void say_failure(const Failure &failure)
{
    std::fputs(failure.message.c_str(), failure.on_stdout ? stdout : stderr);
}

std::optional<Failure> change_screen(int width, int height)
{
    screen = SDL_SetVideoMode(width, height, 32, screen_flags);
    if (screen == nullptr)
        return Failure{1, formatted("Error changing screen mode: %s\n", SDL_GetError())};
    // A new mode's pixels are not cleared by SDL; what is not drawn over
    // (the side panel) must start black, and blits with alpha read it
    // (mended: see QUIRKS.md, 'black panel start').
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    return std::nullopt;
}

static bool driver_chosen()
{
    const char *driver = std::getenv("SDL_VIDEODRIVER");
    return driver != nullptr && driver[0] != '\0';
}

static std::optional<Failure> require_display()
{
    const char *why = platform_display_fault();
    if (driver_chosen() || why[0] == '\0')
        return std::nullopt;
    return Failure{1, formatted("Cannot open a window: there is no display (%s)\n", why)};
}

static std::optional<Failure> require_visible_video()
{
    char driver[32] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    if (driver_chosen() || (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0))
        return std::nullopt;
    SDL_Quit();
    return Failure{1, formatted("Cannot open a window: no display can be reached (SDL chose its %s video driver)\n",
                                driver)};
}

void prefer_software_video()
{
    // The window is a software surface anyway; presenting it through a GPU
    // renderer only loads a graphics driver stack for nothing. A value the
    // user has set is kept.
    platform_set_default_env("SDL_FRAMEBUFFER_ACCELERATION", "0");
    platform_set_default_env("SDL_RENDER_DRIVER", "software");
    // A window scaled up (--scale, full screen) keeps the picture's pixels
    // sharp rather than blurred.
    platform_set_default_env("SDL12COMPAT_SCALE_METHOD", "nearest");
}

std::optional<Failure> start_SDL(std::uint32_t subsystems)
{
    prefer_software_video();
    if (auto fault = require_display())
        return fault;
    if (SDL_Init(subsystems) == -1) // (kept: see QUIRKS.md, 'SDL failure -1')
        return Failure{-1, formatted("Could not initialize SDL: %s.\n", SDL_GetError()), true};
    if (auto fault = require_visible_video())
        return fault;
    std::atexit(SDL_Quit);
    return std::nullopt;
}

static bool start_full_screen = false;
static int window_scale = 1;

void set_window_size(bool fullscreen, int scale)
{
    start_full_screen = fullscreen;
    window_scale = scale;
}

// The window's scale, brought down to the largest whose window fits the
// screen (a window beyond it hides its lower part: the menu's Start and
// Quit, the panel), with a line saying so; as asked when the screen's size
// is unknown.
static int fitting_scale(int scale)
{
    const SDL_VideoInfo *info = SDL_GetVideoInfo();
    if (scale <= 1 || info == nullptr || info->current_w < WINDOW_W || info->current_h < WINDOW_H)
        return scale;
    int fits = std::min({scale, info->current_w / WINDOW_W, info->current_h / WINDOW_H});
    if (fits < scale)
        std::fprintf(stderr,
                     "boardgame: --scale %d makes a window of %d x %d, larger than the screen's %d x %d; it "
                     "opens %d times %d x %d\n",
                     scale, scale * WINDOW_W, scale * WINDOW_H, info->current_w, info->current_h, fits, WINDOW_W,
                     WINDOW_H);
    return fits;
}

std::optional<Failure> open_window()
{
    // Read by sdl12-compat as the window opens; the user's own setting stands.
    if (window_scale > 1 && std::getenv("SDL12COMPAT_WINDOW_SCALING") == nullptr)
        platform_set_default_env("SDL12COMPAT_WINDOW_SCALING", std::to_string(fitting_scale(window_scale)).c_str());
    screen_flags = SDL_SRCCOLORKEY | (start_full_screen ? SDL_FULLSCREEN : 0);
    if (auto fault = change_screen(WINDOW_W, WINDOW_H))
        return fault;
    SDL_WM_SetCaption(CAPTION, CAPTION);
    return std::nullopt;
}

bool toggle_full_screen()
{
    return screen != nullptr && SDL_WM_ToggleFullScreen(screen) == 1;
}
