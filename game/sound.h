// Loading sounds and waiting for them to end.
#pragma once

#include <SDL_mixer.h>

#include <string>

// Loads a WAV file through SDL's file stream, which the loader closes.
// Returns null when the file is missing or cannot be decoded; a null sound is
// never played (Mix_PlayChannelTimed refuses it with channel -1).
Mix_Chunk *load_sound(const std::string &path);

// Waits, polling every 50 ms, until the mixer channel is silent; channel -1
// waits until no channel plays at all.
void wait_for_channel(int channel);
