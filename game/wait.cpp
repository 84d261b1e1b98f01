// The game's one wait, and its watch on the window.
#include "wait.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstdio>

bool watch_window = false;

// Removes the key releases up to and including the first Escape, printing
// each as the die would; true when there was an Escape. Releases after it
// stay queued.
static bool take_escape()
{
    std::array<SDL_Event, 128> keys;
    int count = SDL_PeepEvents(keys.data(), int(keys.size()), SDL_PEEKEVENT, SDL_KEYUPMASK);
    int escape = -1;
    for (int i = 0; i < count && escape < 0; i++)
        if (keys[std::size_t(i)].key.keysym.sym == SDLK_ESCAPE)
            escape = i;
    if (escape < 0)
        return false;
    int taken = SDL_PeepEvents(keys.data(), escape + 1, SDL_GETEVENT, SDL_KEYUPMASK);
    for (int i = 0; i < taken; i++)
        std::printf("Got a keyup of %d\n", int(keys[std::size_t(i)].key.keysym.sym));
    return true;
}

// F11 released, at the head of the key releases: full screen or back at
// once, wherever the game is, printed as the die prints a key.
static void take_full_screen_keys()
{
    SDL_Event key;
    while (SDL_PeepEvents(&key, 1, SDL_PEEKEVENT, SDL_KEYUPMASK) == 1 && key.key.keysym.sym == SDLK_F11) {
        SDL_PeepEvents(&key, 1, SDL_GETEVENT, SDL_KEYUPMASK);
        std::printf("Got a keyup of %d\n", int(key.key.keysym.sym));
        SDL_WM_ToggleFullScreen(SDL_GetVideoSurface());
    }
}

Outcome watch_for_quit()
{
    if (!watch_window)
        return Outcome::go_on;
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_MOUSEMOTIONMASK) > 0) {
    }
    take_full_screen_keys();
    if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_QUITMASK) > 0)
        return Outcome::quit_window;
    return take_escape() ? Outcome::quit_key : Outcome::go_on;
}

Outcome game_wait(int ms)
{
    if (!watch_window || ms <= WATCH_SLICE_MS) {
        Outcome seen = watch_for_quit();
        if (seen == Outcome::go_on)
            SDL_Delay(Uint32(ms));
        return seen;
    }
    // Counted in slices rather than read off the clock, so a wait is as
    // long as the slices it sleeps.
    for (int left = ms; left > 0; left -= WATCH_SLICE_MS) {
        Outcome seen = watch_for_quit();
        if (seen != Outcome::go_on)
            return seen;
        SDL_Delay(Uint32(std::min(left, WATCH_SLICE_MS)));
    }
    return watch_for_quit();
}

bool is_wheel(Uint8 button)
{
    return button == SDL_BUTTON_WHEELUP || button == SDL_BUTTON_WHEELDOWN;
}
