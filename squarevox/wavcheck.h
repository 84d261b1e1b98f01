// Interim: the WAV guard's interface until the shared guards reach this
// branch; answered by boardcheck's header reader, no parser of its own.
#pragma once

#include <string>

struct WavCheck {
    bool found = false; // the file could be opened
    bool ok = false;    // a RIFF/WAVE sound consistent with the file
    std::string fault;  // why not, when !ok
    double ms = 0;      // duration; 0 when !ok
};

WavCheck check_wav_file(const std::string &path);
