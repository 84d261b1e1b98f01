// Loading sounds, the game's fixed sounds, and waiting for sounds to end.
#pragma once

#include "outcome.h"
#include "rules.h"

#include <SDL_mixer.h>

#include <array>
#include <string>

// The die's rattle plays on a channel of its own: each start cuts off the
// one before, and speech (speak.h) stops it.
constexpr int RATTLE_CHANNEL = 1;

extern std::array<Mix_Chunk *, MAX_PLAYERS> turn; // a player's turn, by player index
extern std::array<Mix_Chunk *, MAX_PLAYERS> win;  // the winner's sound, by player index

// Opens the audio device as the game plays its sounds: 44100 Hz, signed
// 16-bit little-endian stereo, 1024-sample buffer; it is closed at exit,
// before an SDL_Quit registered earlier. False, with SDL_GetError saying why,
// when it cannot be opened. Needs SDL's audio started.
bool open_audio();

// The mixer's sound from the bytes of a WAV file that the sound guard has
// passed (check_wav_file's bytes); null, with Mix_GetError saying why, when
// the mixer refuses them.
Mix_Chunk *load_checked_wav(const std::string &bytes);

// Loads a WAV file once the sound guard (check_wav_file) has passed it, from
// the very bytes it checked. Returns null when the file is missing (said
// nowhere) or cannot be used: not a regular file, not a WAV that the guard
// passes, or refused by the mixer; then "Cannot use the sound PATH: REASON"
// goes to standard error. A null sound is never played (Mix_PlayChannelTimed
// refuses it with channel -1), so the game plays on in silence.
Mix_Chunk *load_sound(const std::string &path);

// Loads the turn sounds of the first `players` (2 to 4) players, then their
// win sounds: turn[i] from "./audio/player<i+1>.wav", win[i] from
// "./audio/win<i+1>.wav". A missing file leaves its sound null; the sounds of
// players not in the game stay null and are not looked for.
void load_fixed_sounds(int players);

// The turn and win sounds of the first `players` players for `version`
// (after load_fixed_sounds): a board in a language of its own (own_language)
// has its clips turnN.wav and winN.wav, looked for along own_clip_paths, where
// found; the fixed sounds stay where not, and on any other board.
void load_board_sounds(const std::string &version, int players);

// Plays a sound once on the first free channel and returns the channel; -1
// when the sound is null or no channel is free.
int play_sound(Mix_Chunk *sound);

// Waits, polling every 50 ms, until the mixer channel is silent; channel -1
// waits until no channel plays at all. Every sound of the game plays once, so
// the wait ends. It ends early, saying how, when the game is quit meanwhile
// (game_wait).
Outcome wait_for_channel(int channel);
