// The voices of a version's questions and answers, spoken in the version's
// language with the same levels and whole-file writes as the notes.
#pragma once

#include "questions.h"
#include "voices.h"

#include <string>

// Speaks every part of every question of `file` (question_part) into
// question_sound_path, trimmed of silence, one channel at 22050 samples per
// second, and then writes the part's words to question_text_path, which
// boardcheck compares with the file. A part that cannot be made keeps its old
// files and is reported on standard error; the others are still made.
// Returns the exit status: 0 when all were made, 1 when any failed, 128 +
// the signal when the run was interrupted.
int make_question_voices(const std::string &version, const QuestionFile &file,
                         const std::string &script, const SpeechVoice &voice);
