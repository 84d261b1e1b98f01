// The game's voice: every clip of the phrases the game speaks under --speak,
// made in a language with the same voice, levels and atomic writes as the notes.
#pragma once

#include <string>

// Makes every clip of say_clip_names() as "<folder>/<clip>.wav" (the folder is
// made when missing; a part of it after the first that is a symbolic link or
// not a folder is refused, status 1, nothing written), speaking say_text(clip, language) trimmed of silence,
// one channel at 22050 samples per second. A clip that cannot be made keeps
// its old file and is reported on standard error; the others are still made.
// Returns the exit status: 0 when every clip was made, 1 when any failed or
// the language's words are unknown (said on standard error, nothing made),
// 128 + the signal when the run was interrupted (the clip being made keeps its
// old file). A `title` that is not empty is spoken too, as TITLE_CLIP: the
// board's name, which the menu says.
int make_game_voice(const std::string &folder, const std::string &language,
                    const std::string &script, const std::string &title = "");

constexpr const char *TITLE_CLIP = "title";
