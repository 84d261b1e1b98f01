// The sound guard: what a WAV file holds, read from its RIFF header, and
// whether it is safe to hand to the mixer and how long it lasts.
#pragma once

#include <string>

struct WavInfo {
    bool found = false;     // the file could be opened
    bool playable = false;  // a WAV the game's mixer loads and that holds sound
    std::string fault;      // why it is not playable; empty when it is
    double ms = 0;          // duration in milliseconds; 0 when not playable
};

// Checks a WAV file's header and chunk list (not its samples). Playable means:
// "RIFF" ... "WAVE", a "fmt " chunk before the "data" chunk, plain PCM (format
// 1, or the extensible format with the PCM sub-format) of 8 or 16 bits, 1 to 8
// channels, a sample rate above 0, a block size of channels x bytes per sample,
// and at least one whole sample frame of data. A data chunk that claims more
// than the file holds is timed by what the file holds, as the mixer plays it.
// The file is read through read_regular_file (at most SOUND_FILE_MAX_BYTES):
// a missing file gives found == false and the fault "missing"; a folder, FIFO,
// device or over-long file is found but not playable, its fault saying why.
WavInfo check_wav_file(const std::string &path);

// The same check over a whole file's bytes.
WavInfo check_wav_bytes(const std::string &bytes);
