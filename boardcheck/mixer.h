// The game's own verdict on a sound file: its WAV guard and its mixer load,
// on SDL's dummy audio driver opened by the game's open_audio.
#pragma once

#include "wavguard.h"

#include <string>

// check_wav_file(path), then, for a file the guard passes, load_checked_wav
// of the bytes checked: a file the mixer refuses is not playable, its fault
// naming the mixer's reason. The mixer is opened once, on first use (SDL_AUDIODRIVER defaults to
// "dummy"); when it cannot be opened the guard's verdict stands and
// mixer_fault() says why.
WavInfo check_sound_as_game(const std::string &path);

// Empty while the mixer could be opened (or has not been needed yet).
std::string mixer_fault();
