// Fuzz target: the sound guard, and the mixer's loader on every input the
// guard passes. An input the guard calls playable must load (the game and
// boardcheck trust that), last as long as the guard says, and never hang or
// trip a sanitizer inside the mixer, in every encoding the guard takes: PCM,
// A-law, mu-law, MS and IMA ADPCM, plain or extensible (seeds of each in
// corpus/fuzz_wavguard).
#include "wavguard.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

constexpr int MIX_RATE = 44100; // as the game opens the mixer
constexpr int MIX_FRAME_BYTES = 4; // 16-bit stereo

// How many inputs reached the real loader, said at the end of a run.
static long passed = 0;

static void say_passed()
{
    std::fprintf(stderr, "inputs passed to the mixer: %ld\n", passed);
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    std::atexit(say_passed);
    if (SDL_Init(SDL_INIT_AUDIO) == -1 || Mix_OpenAudio(MIX_RATE, AUDIO_S16LSB, 2, 1024) == -1) {
        std::fprintf(stderr, "no audio (is SDL_AUDIODRIVER=dummy set?): %s\n", SDL_GetError());
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char *>(data), size);
    WavInfo info = check_wav_bytes(bytes);
    if (!info.playable)
        return 0;
    passed++;
    Mix_Chunk *chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
    if (chunk == nullptr) {
        std::fprintf(stderr, "the guard passed a sound the mixer refuses: %s\n", Mix_GetError());
        std::abort();
    }
    double mixer_ms = double(chunk->alen) / MIX_FRAME_BYTES * 1000.0 / MIX_RATE;
    if (std::fabs(mixer_ms - info.ms) > info.ms * 0.01 + 2.0) {
        std::fprintf(stderr, "the guard times %.3f ms, the mixer holds %.3f ms\n", info.ms, mixer_ms);
        std::abort();
    }
    Mix_FreeChunk(chunk);
    return 0;
}
