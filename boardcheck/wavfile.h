// What a WAV file holds, read from its RIFF header: whether the game's mixer
// can play it and how long it lasts.
#pragma once

#include <istream>
#include <string>

struct WavInfo {
    bool found = false;     // the file could be opened
    bool playable = false;  // a WAV the game's mixer loads and that holds sound
    std::string fault;      // why it is not playable; empty when it is
    double ms = 0;          // duration in milliseconds; 0 when not playable
};

// Reads a WAV file's header and chunk list (not its samples). Playable means:
// "RIFF" ... "WAVE", a "fmt " chunk before the "data" chunk, plain PCM (format
// 1, or the extensible format with the PCM sub-format) of 8 or 16 bits, 1 to 8
// channels, a sample rate above 0, a block size of channels x bytes per sample,
// and at least one whole sample frame of data. A data chunk that claims more
// than the file holds is timed by what the file holds, as the mixer plays it.
// A missing file gives found == false and the fault "missing".
WavInfo read_wav_info(const std::string &path);

// The same check over a stream positioned at the start of the file.
WavInfo parse_wav(std::istream &in);
