// Sounds judged by the game's mixer, on the dummy audio driver.
#include "mixer.h"

#include "platform.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>

namespace {

enum class Mixer { unopened, open, failed };
Mixer state = Mixer::unopened;
std::string failure;

bool open_mixer()
{
    if (state == Mixer::unopened) {
        platform_set_default_env("SDL_AUDIODRIVER", "dummy");
        // As the game opens its audio.
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 ||
            Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) != 0) {
            failure = std::string("cannot open the sound mixer: ") + SDL_GetError();
            state = Mixer::failed;
        } else {
            state = Mixer::open;
            std::atexit(SDL_Quit);
            std::atexit(Mix_CloseAudio); // closed first

        }
    }
    return state == Mixer::open;
}

} // namespace

WavInfo check_sound_as_game(const std::string &path)
{
    WavInfo wav = check_wav_file(path);
    if (!wav.playable || !open_mixer())
        return wav;
    SDL_RWops *file = SDL_RWFromFile(path.c_str(), "rb");
    Mix_Chunk *chunk = file ? Mix_LoadWAV_RW(file, 1) : nullptr;
    if (chunk == nullptr) {
        wav.playable = false;
        wav.ms = 0;
        wav.fault = std::string("the game's sound mixer refuses it: ") + SDL_GetError();
        return wav;
    }
    Mix_FreeChunk(chunk);
    return wav;
}

std::string mixer_fault()
{
    return failure;
}
