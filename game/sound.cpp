// Sounds: loading, playing and waiting.
#include "sound.h"

#include "paths.h"
#include "rules.h"
#include "wavguard.h"

#include <SDL.h>

#include <cstdio>

std::array<Mix_Chunk *, MAX_PLAYERS> turn;
std::array<Mix_Chunk *, MAX_PLAYERS> win;

Mix_Chunk *load_sound(const std::string &path)
{
    std::string bytes;
    WavInfo check = check_wav_file(path, bytes);
    if (!check.found)
        return nullptr;
    if (!check.playable) {
        std::fprintf(stderr, "Cannot use the sound %s: %s\n", path.c_str(), check.fault.c_str());
        return nullptr;
    }
    // The mixer decodes the bytes that were checked into a buffer of its own.
    Mix_Chunk *sound = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
    if (sound == nullptr)
        std::fprintf(stderr, "Cannot use the sound %s: %s\n", path.c_str(), Mix_GetError());
    return sound;
}

void load_fixed_sounds(int players)
{
    for (int which = 0; which < players; which++)
        turn[which] = load_sound(TURN_SOUNDS[which]);
    for (int which = 0; which < players; which++)
        win[which] = load_sound(WIN_SOUNDS[which]);
}

int play_sound(Mix_Chunk *sound)
{
    if (sound == nullptr)
        return -1;
    return Mix_PlayChannelTimed(-1, sound, 0, -1);
}

void wait_for_channel(int channel)
{
    while (Mix_Playing(channel) != 0)
        SDL_Delay(POLL_MS);
}
