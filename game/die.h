// The die: six faces in the side panel, spun until the space bar goes up
// (or any button, or the computer, stops it).
#pragma once

#include "outcome.h"

#include <SDL.h>
#include <SDL_mixer.h>

constexpr int DIE_SIZE = 48;     // one face is 48 x 48
constexpr int DIE_X = 536;       // 480 + 56: centred in the 160-pixel panel
constexpr int DIE_Y = 160;

extern SDL_Surface *Die;       // the strip of six faces; face f at x = 48 f
extern SDL_Rect D_src;         // the face shown: x = 48 x face
extern SDL_Rect D_dest;        // the die's place on the screen
extern Mix_Chunk *dice_click;  // the rattle; null when its file is missing

// Builds the die, seeds rand() with the time and loads the rattle from
// "./audio/ambient_-tolvik-57.wav" (a missing file leaves the die silent).
// Call once, after the video mode and the audio device are set.
void dice_setup();

// Who stops the die.
enum class Roller {
    space_bar,  // a child, by releasing the space bar
    any_button, // a child with one switch: any key, mouse button (not the
                // wheel) or joystick button released
    computer,   // the computer, by itself after 0.8 to 2 s
};

// Spins the die on `screen`, a random face every 50 ms, until `roller` stops
// it, and sets `roll` to that face's pips (1 to 6). The computer's wait, 16
// to 40 frames, is drawn from rand() before the first face. Prints "Got a
// keyup of %d" for every key released, whoever rolls. Escape released or the
// window closed ends the roll with quit_key or quit_window, and the game
// with it; `roll` is then 0. In the design's game the die takes one event a
// frame; under the game's own options (watch_window) it reads every waiting
// event each frame, pointer motion ignored, so a press acts within a frame
// whatever else arrives.
Outcome roll_die(Roller roller, int &roll);

// The die as the two-player game has it, stopped by the space bar: the
// roll, or 0 when the game was quit while it spun.
int roll_die();
