// The game's one wait. Every pause of the game (a walk step, a die or slide
// frame, a look at a playing sound) passes through here, and nowhere else
// does the game call SDL_Delay.
#pragma once

#include "outcome.h"

#include <SDL.h>

// How long the wait sleeps at a time while it watches the window: Escape or
// the close button then ends the game well within half a second.
constexpr int WATCH_SLICE_MS = 100;

// Set under any of the game's own options: the waits then watch the window.
// The design's game only waits, and reads events only while the die spins.
extern bool watch_window;

// Waits `ms` milliseconds. Watching the window, it ends early when Escape
// has been released or the window closed (or the process asked to end),
// and says which; it drops pointer motion, so that a pointer that never rests
// cannot fill the event queue, switches full screen on an F11 released
// ahead of other keys, and leaves every other event for the die.
// Without watching it always waits the whole time and returns go_on.
Outcome game_wait(int ms);

// Whether mouse button `button` is the wheel's: a wheel turned by the way is
// no press of a switch, nor a click.
bool is_wheel(Uint8 button);

// The same look at the window without waiting: go_on when nothing ends the
// game. Always go_on when the window is not watched.
Outcome watch_for_quit();
