// A game in a test: an empty board from a scratch version, both tokens on 0,
// the die, and recordings of what the game waits for, writes and frees.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <functional>
#include <string>
#include <vector>

// One string drawn by stringRGBA.
struct Drawn {
    int x, y;
    std::string text;
};

// Filled by the linker wraps of SDL_Delay, stringRGBA, Mix_FreeChunk and
// SDL_CreateRGBSurface / SDL_FreeSurface; cleared by reset_recordings.
extern std::vector<Uint32> delays;       // every SDL_Delay, in ms; nobody waits
extern std::vector<Drawn> drawn;         // every string, also drawn for real
extern std::vector<Mix_Chunk *> freed_chunks;
extern std::vector<SDL_Surface *> created_20x20; // SDL_CreateRGBSurface(.., 20, 20, ..)
extern std::vector<SDL_Surface *> freed_surfaces;
extern std::function<void(Uint32)> on_delay; // called at every SDL_Delay when set

void reset_recordings();

// Once per process: dummy video, the board of an empty version "t" in a
// scratch folder, the die (silent: no rattle file there) and both tokens.
void start_test_game();

// Paints the whole clean board on the screen and puts every token of the
// game (player_count) on 0.
void fresh_board();

// Puts a token on a square (in its corner), as a finished turn leaves it.
void place_token(int which, int square);

// Seeds rand() so that the die's next face shows `pips` (1 to 6).
void seed_for_roll(int pips);

// Empties SDL's event queue, then queues a key release.
void queue_keyup(SDLKey key);

// Total of the recorded delays of exactly `ms`.
int count_delays(Uint32 ms);
