// Sounds: loading, playing and waiting.
#include "sound.h"

#include <SDL.h>

std::array<Mix_Chunk *, 2> turn;
std::array<Mix_Chunk *, 2> win;

constexpr Uint32 POLL_MS = 50;

Mix_Chunk *load_sound(const std::string &path)
{
    SDL_RWops *file = SDL_RWFromFile(path.c_str(), "rb");
    if (file == nullptr)
        return nullptr;
    return Mix_LoadWAV_RW(file, 1);
}

void load_fixed_sounds()
{
    turn[0] = load_sound("./audio/player1.wav");
    turn[1] = load_sound("./audio/player2.wav");
    win[0] = load_sound("./audio/win1.wav");
    win[1] = load_sound("./audio/win2.wav");
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
