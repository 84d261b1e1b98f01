// The report's part on a version's questions: the file's problems, the
// voices of its questions and answers, and the odds for three answer rates.
#pragma once

#include "notes.h"
#include "odds.h"
#include "questions.h"
#include "wavguard.h"

#include <ostream>
#include <string>
#include <vector>

// The voice of one part of a question (question_sound_path).
struct QuestionVoice {
    std::string wav_path;
    std::string text_path;
    WavInfo wav;
    bool text_found = false;
    bool text_matches = false; // the text file holds the part's words exactly
};

struct QuestionCheck {
    QuestionFile file;
    std::vector<QuestionVoice> voices; // every part of every question, in file order
    bool voices_made = false;          // any of their files exists
};

// Reads ./<version>/questions and looks at each part's voice files.
QuestionCheck check_questions(const std::string &version);

// The file's fault or problems (each "path:line: what"), what the question
// box cannot draw and answers the speech program may fail on, then, once
// any question voice exists, each one missing, unplayable or older than its
// words.
std::vector<Finding> question_findings(const QuestionCheck &check, const std::string &version);

// The questions, their voices and, for each of ANSWER_RATES, one token's
// average turns to 99 and the game's length for `players`. Nothing for a
// version without a questions file.
void print_questions(const QuestionCheck &check, const DestTable &dest, int players,
                     const std::string &version, std::ostream &out);
