// The game's voice: every clip of the phrases the game speaks under --speak,
// made in a language with the same voice, levels and atomic writes as the notes.
#pragma once

#include <string>

// Makes every clip of say_clip_names() as "<folder>/<clip>.wav" (the folder is
// made when missing), speaking say_text(clip, language) trimmed of silence,
// one channel at 22050 samples per second. A clip that cannot be made keeps
// its old file and is reported on standard error; the others are still made.
// Returns the exit status: 0 when every clip was made, 1 when any failed or
// the language's words are unknown (said on standard error, nothing made),
// 128 + the signal when the run was interrupted (the clip being made keeps its
// old file).
int make_game_voice(const std::string &folder, const std::string &language,
                    const std::string &script);
