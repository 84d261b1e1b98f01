// The sound guard: what a WAV file holds, read from its RIFF header, and
// whether it is safe to hand to the mixer and how long it lasts.
#pragma once

#include <string>

constexpr unsigned WAV_MIN_RATE = 1000;     // samples per second
constexpr unsigned WAV_MAX_RATE = 192000;
constexpr double WAV_MAX_MS = 10 * 60 * 1000.0; // the mixer holds a sound whole, converted

struct WavInfo {
    bool found = false;     // the file could be opened
    bool playable = false;  // a WAV the game's mixer loads and that holds sound
    std::string fault;      // why it is not playable; empty when it is
    double ms = 0;          // duration in milliseconds; 0 when not playable
    int channels = 0;       // from the "fmt " chunk, once it has been read
    unsigned rate = 0;
    int bits = 0;           // per sample as stored: 4 for ADPCM
};

// Checks a WAV file's structure against the file itself (not its samples).
// Playable means: "RIFF" <size> "WAVE" where the size covers the chunks up to
// the end of the "data" chunk and no more than the file holds; a "fmt "
// chunk before the "data" chunk, of 1 to 8 channels and a sample rate of
// WAV_MIN_RATE to WAV_MAX_RATE, in an encoding the mixer's WAV loader decodes
// (as its tag, or as the extensible format's sub-format), each with the header
// that loader takes: PCM of 8 or 16 bits, blocks of channels x bytes per
// sample; A-law or mu-law of 8 bits, one byte per channel and sample; MS
// ADPCM (not extensible) of 4 bits, 1 or 2 channels, blocks of at least the
// 7-byte channel headers, at least the 7 preset coefficient pairs, samples
// per block that fit the block, and every block naming one of the header's
// predictors; IMA ADPCM of 4 bits, blocks of whole words holding the 4-byte
// channel headers and samples per block that fit them. 24- and 32-bit PCM
// and float are refused: the mixer cannot take them. The "data" chunk lies
// wholly inside the file and holds at least one whole sample frame (a whole
// block for ADPCM, whose cut-short last block is not played) and at most
// WAV_MAX_MS of sound. Anything else (an
// AIFF "FORM", a VOC, an Ogg stream, a cut-short WAV) is refused before the
// mixer, whose loaders for those can spin or read past the file, sees it.
// The file is read through read_regular_file (at most SOUND_FILE_MAX_BYTES):
// a missing file gives found == false and the fault "missing"; a folder, FIFO,
// device or over-long file is found but not playable, its fault saying why.
WavInfo check_wav_file(const std::string &path);

// The same check over a whole file's bytes.
WavInfo check_wav_bytes(const std::string &bytes);

// check_wav_file, also handing back the bytes that were checked (empty when
// the file could not be read), so that the mixer gets exactly those.
WavInfo check_wav_file(const std::string &path, std::string &bytes);
