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
    int bits = 0;
};

// Checks a WAV file's structure against the file itself (not its samples).
// Playable means: "RIFF" <size> "WAVE" where the size covers the chunks up to
// the end of the "data" chunk and no more than the file holds; a "fmt "
// chunk before the "data" chunk, of plain PCM (format 1, or the extensible
// format with the PCM sub-format) of 8 or 16 bits, 1 to 8 channels, a sample
// rate of WAV_MIN_RATE to WAV_MAX_RATE, a block size of channels x bytes per
// sample; a "data" chunk that lies wholly inside the file and holds at least
// one whole sample frame and at most WAV_MAX_MS of sound. Anything else (an
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
