// Interim: the WAV guard answered by boardcheck's header reader.
#include "wavcheck.h"

#include "wavfile.h"

WavCheck check_wav_file(const std::string &path)
{
    WavInfo info = read_wav_info(path);
    WavCheck check;
    check.found = info.found;
    check.ok = info.playable;
    check.fault = info.fault;
    check.ms = info.ms;
    return check;
}
