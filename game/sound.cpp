// Sounds: loading, playing and waiting.
#include "sound.h"

#include "paths.h"
#include "rules.h"

#include <SDL.h>

std::array<Mix_Chunk *, PLAYERS> turn;
std::array<Mix_Chunk *, PLAYERS> win;

Mix_Chunk *load_sound(const std::string &path)
{
    SDL_RWops *file = SDL_RWFromFile(path.c_str(), "rb");
    if (file == nullptr)
        return nullptr;
    return Mix_LoadWAV_RW(file, 1);
}

void load_fixed_sounds()
{
    for (int which = 0; which < PLAYERS; which++)
        turn[which] = load_sound(TURN_SOUNDS[which]);
    for (int which = 0; which < PLAYERS; which++)
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
