// The display surface, shared by the game and the chute previewer.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>

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

// Sets `screen` to a width x height window of 32 bits per pixel with
// `screen_flags`, all black. When the mode cannot be set, prints "Error changing screen
// mode: ..." on standard error and ends the process with status 1.
void change_screen(int width, int height);

// Asks SDL for a plain software presentation of the window (no GPU renderer),
// unless the user has chosen otherwise in the environment. Call before SDL_Init.
void prefer_software_video();

// Starts SDL's `subsystems` for a window of ours. Before SDL_Init: ends the
// process with status 1 after "Cannot open a window: there is no display
// (REASON)" on standard error when the environment names no display, unless
// SDL_VIDEODRIVER chooses a driver (the tests' "dummy"); without this SDL
// would carry on with an offscreen driver, a game nobody can see, forever.
// When SDL cannot start: "Could not initialize SDL: %s.\n" on standard output
// and status -1. After it, when SDL, with no driver chosen, fell back to a
// driver that shows nothing (no display named could be reached): SDL quit and
// status 1 after "Cannot open a window: no display can be reached (SDL chose
// its DRIVER video driver)". Then SDL_Quit is registered to run at exit.
void start_SDL(std::uint32_t subsystems);

// Opens the WINDOW_W x WINDOW_H window with SDL_SRCCOLORKEY (change_screen)
// and captions it CAPTION.
void open_window();
