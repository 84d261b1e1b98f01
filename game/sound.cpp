// Sounds: loading, playing and waiting.
#include "sound.h"

#include "language.h"
#include "paths.h"
#include "rules.h"
#include "sayings.h"
#include "wait.h"
#include "wavguard.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <map>

std::array<Mix_Chunk *, MAX_PLAYERS> turn;
std::array<Mix_Chunk *, MAX_PLAYERS> win;
// The fixed sounds, kept for a board that speaks English after one that does not.
static std::array<Mix_Chunk *, MAX_PLAYERS> fixed_turn;
static std::array<Mix_Chunk *, MAX_PLAYERS> fixed_win;

bool open_audio()
{
    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) == -1)
        return false;
    std::atexit(Mix_CloseAudio);
    return true;
}

Mix_Chunk *load_checked_wav(const std::string &bytes)
{
    // The mixer decodes the bytes into a buffer of its own.
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
}

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
    Mix_Chunk *sound = load_checked_wav(bytes);
    if (sound == nullptr)
        std::fprintf(stderr, "Cannot use the sound %s: %s\n", path.c_str(), Mix_GetError());
    return sound;
}

void load_fixed_sounds(int players)
{
    // Loaded once each: a later game with more players loads only the new ones.
    static std::array<bool, MAX_PLAYERS> loaded{};
    for (int which = 0; which < players; which++)
        if (!loaded[which])
            turn[which] = fixed_turn[which] = load_sound(TURN_SOUNDS[which]);
    for (int which = 0; which < players; which++)
        if (!loaded[which])
            win[which] = fixed_win[which] = load_sound(WIN_SOUNDS[which]);
    for (int which = 0; which < players; which++)
        loaded[which] = true;
}

// The first of the board's own clips `clip` that loads; null when none does.
// Each path is loaded once and kept, as the fixed sounds are: a later game
// on the same board costs nothing, and no sound is freed while it may play.
static Mix_Chunk *own_clip(const std::string &version, const std::string &language,
                           const std::string &clip)
{
    static std::map<std::string, Mix_Chunk *> &loaded = *new std::map<std::string, Mix_Chunk *>;
    for (const std::string &path : own_clip_paths(version, language, clip)) {
        auto known = loaded.find(path);
        if (known == loaded.end())
            known = loaded.emplace(path, load_sound(path)).first;
        if (known->second != nullptr)
            return known->second;
    }
    return nullptr;
}

void load_board_sounds(const std::string &version, int players)
{
    std::string language = version_language(version);
    for (int which = 0; which < players; which++) {
        Mix_Chunk *own = own_clip(version, language, turn_clip(which));
        turn[std::size_t(which)] = own != nullptr ? own : fixed_turn[std::size_t(which)];
        own = own_clip(version, language, win_clip(which));
        win[std::size_t(which)] = own != nullptr ? own : fixed_win[std::size_t(which)];
    }
}

int play_sound(Mix_Chunk *sound)
{
    if (sound == nullptr)
        return -1;
    return Mix_PlayChannelTimed(-1, sound, 0, -1);
}

Outcome wait_for_channel(int channel)
{
    while (Mix_Playing(channel) != 0)
        if (Outcome seen = game_wait(POLL_MS); seen != Outcome::go_on)
            return seen;
    return Outcome::go_on;
}
