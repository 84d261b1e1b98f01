// Sounds: loading and waiting.
#include "sound.h"

#include <SDL.h>

constexpr Uint32 POLL_MS = 50;

Mix_Chunk *load_sound(const std::string &path)
{
    SDL_RWops *file = SDL_RWFromFile(path.c_str(), "rb");
    if (file == nullptr)
        return nullptr;
    return Mix_LoadWAV_RW(file, 1);
}

void wait_for_channel(int channel)
{
    while (Mix_Playing(channel) != 0)
        SDL_Delay(POLL_MS);
}
