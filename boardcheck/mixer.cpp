// Sounds judged by the game's own audio opening and loading, on the dummy
// audio driver.
#include "mixer.h"

#include "platform.h"
#include "sound.h"

#include <SDL.h>

#include <cstdlib>

namespace {

enum class Mixer { unopened, open, failed };
Mixer state = Mixer::unopened;
std::string failure;

bool open_mixer()
{
    if (state == Mixer::unopened) {
        platform_set_default_env("SDL_AUDIODRIVER", "dummy");
        bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        if (started)
            std::atexit(SDL_Quit); // after the audio device closes
        if (!started || !open_audio()) {
            failure = std::string("cannot open the sound mixer: ") + SDL_GetError();
            state = Mixer::failed;
        } else {
            state = Mixer::open;
        }
    }
    return state == Mixer::open;
}

} // namespace

WavInfo check_sound_as_game(const std::string &path)
{
    std::string bytes;
    WavInfo wav = check_wav_file(path, bytes);
    if (!wav.playable || !open_mixer())
        return wav;
    Mix_Chunk *chunk = load_checked_wav(bytes);
    if (chunk == nullptr) {
        wav.playable = false;
        wav.ms = 0;
        wav.fault = std::string("the game's sound mixer refuses it: ") + Mix_GetError();
        return wav;
    }
    Mix_FreeChunk(chunk);
    return wav;
}

std::string mixer_fault()
{
    return failure;
}
