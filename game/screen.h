// The display surface, shared by the game and the chute previewer.
#pragma once

#include "outcome.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <optional>

// A working surface that is freed when it goes out of scope.
struct SurfaceFree {
    void operator()(SDL_Surface *s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

// The window of the game and of the chute previewer, and its caption.
constexpr int WINDOW_W = 640;
constexpr int WINDOW_H = 480;
constexpr const char *CAPTION = "Varnowick";

extern SDL_Surface *screen;        // the window's surface, 32 bits per pixel
extern std::uint32_t screen_flags; // flags for SDL_SetVideoMode; set before the mode

// The pixel value of `colour` on `screen`.
Uint32 screen_colour(SDL_Color colour);

// Sets `screen` to a width x height window of 32 bits per pixel with
// `screen_flags`, all black. When the mode cannot be set, returns the
// failure "Error changing screen mode: ..." for standard error, status 1.
std::optional<Failure> change_screen(int width, int height);

// Prints a failure's message where it belongs.
void say_failure(const Failure &failure);

// Asks SDL for a plain software presentation of the window (no GPU renderer),
// unless the user has chosen otherwise in the environment. Call before SDL_Init.
void prefer_software_video();

// Starts SDL's `subsystems` for a window of ours, or returns why it cannot:
// before SDL_Init, status 1 and "Cannot open a window: there is no display
// (REASON)" for standard error when the environment names no display, unless
// SDL_VIDEODRIVER chooses a driver (the tests' "dummy"); without this SDL
// would carry on with an offscreen driver, a game nobody can see, forever.
// When SDL cannot start: "Could not initialize SDL: %s.\n" for standard
// output and status -1. After it, when SDL, with no driver chosen, fell back
// to a driver that shows nothing (no display named could be reached): SDL
// quit, and status 1 with "Cannot open a window: no display can be reached
// (SDL chose its DRIVER video driver)". Once started, SDL_Quit is registered
// to run at exit.
std::optional<Failure> start_SDL(std::uint32_t subsystems);

// How the window is to open: full screen, or `scale` (1 to 4) times its
// size, the picture scaled by sdl12-compat, nearest-neighbour; open_window
// brings the scale down to the largest whose window fits the screen, with a
// line on standard error. Call before start_SDL; the user's own SDL12COMPAT_
// settings in the environment stand.
void set_window_size(bool fullscreen, int scale);

// Opens the WINDOW_W x WINDOW_H window with SDL_SRCCOLORKEY (change_screen)
// and captions it CAPTION.
std::optional<Failure> open_window();

// Switches the window between full screen and a window (F11), keeping the
// picture: sdl12-compat scales the 640 x 480 surface to the screen and
// centres it. False when the video driver cannot.
bool toggle_full_screen();
