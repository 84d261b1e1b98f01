// Turning one record of a version file into its square text file and its
// spoken square sound file, by the text-to-speech program and the converter.
#pragma once

#include "paths.h"
#include "records.h"

#include <string>

// The text-to-speech script at its usual place; Debian ships the same
// script as `text2wave` on the search path instead.
constexpr const char *SPEECH_SCRIPT = "/usr/share/festival/examples/text2wave.sh";
constexpr const char *SPEECH_SCRIPT_NAME = "text2wave";
// The scratch file of the speech, in the working directory, left after a run.
constexpr const char *SPEECH_FILE = "temp.wav";

// The text as one shell word: in single quotes, each ' written as '\''. Any
// text, blanks, quotes, ; $ ` & | and line ends included, reaches the command
// unchanged and runs nothing.
std::string shell_quote(const std::string &text);

// The script festival runs: `usual_path` if it is a readable file, otherwise
// the first executable `name` in the ':'-separated folders of `search_path`
// (an empty folder is the working directory); `usual_path` when neither.
std::string find_speech_script(const std::string &usual_path, const std::string &name,
                               const std::string &search_path);

// "festival --script SCRIPT TEXTPATH -o temp.wav", both paths quoted.
std::string speech_command(const std::string &script, const std::string &text_path);

// "/usr/bin/sox -c1 -e signed-integer -b 16 temp.wav -c2 -r 22050 TEXTPATH.wav",
// the output path quoted.
std::string conversion_command(const std::string &text_path);

// Writes the record's note to its square text file, speaks it into temp.wav
// and converts that into the square sound file, each step to completion.
// A step that fails is reported on standard error with the square and the
// path or command at fault, and the record stops there; an old square sound
// file is kept only when the speech failed and the square text file already
// held this very note, so no sound of another note is left. Returns true when
// both files of the square were written. `interrupted` is set when a command
// was stopped by the user's interrupt, so the caller can end the run.
bool make_square_voice(const std::string &version, const VersionRecord &record,
                       const std::string &script, bool &interrupted);
