// A version's question squares: the optional file ./<version>/questions, its
// reader for the game and the tools, and the rules of an answer.
#pragma once

#include "rules.h"

#include <string>
#include <vector>

// The squares a question may stand on: never on 0, where nobody lands, nor
// on 99, which wins.
constexpr int QUESTION_FIRST_SQUARE = 1;
constexpr int QUESTION_LAST_SQUARE = 98;
constexpr int MIN_WRONG_ANSWERS = 1;
constexpr int MAX_WRONG_ANSWERS = 3;
constexpr int MAX_ANSWERS = 1 + MAX_WRONG_ANSWERS; // numbered 1 to 4 on screen
constexpr std::size_t QUESTIONS_FILE_MAX_BYTES = 1 << 20;

// What the question box shows (game/ask.h draws it): the question wrapped
// into at most QUESTION_MAX_LINES lines of QUESTION_LINE_CHARS characters,
// and each answer on one line of at most ANSWER_MAX_CHARS after its number.
constexpr int QUESTION_LINE_CHARS = 34;
constexpr int QUESTION_MAX_LINES = 3;
constexpr int ANSWER_MAX_CHARS = 30;

// The computer answers right this often.
constexpr double COMPUTER_RIGHT_CHANCE = 0.75;

// One question, as written on its line.
struct Question {
    int square = 0;                 // 1 to 98
    int line = 0;                   // of the file, from 1
    int order = 1;                  // 1 for a square's first question, 2 for its next, ...
    std::string text;               // the question
    std::string right;              // the right answer
    std::vector<std::string> wrong; // 1 to 3 wrong answers
};

struct QuestionFile {
    bool given = false;                // the file exists
    bool opened = false;               // it could be read (false also when not given)
    std::string fault;                 // why not, naming the file
    std::vector<Question> questions;   // the good lines, in file order
    std::vector<std::string> problems; // "path:line: what is wrong", in line order
};

// "./<version>/questions".
std::string version_questions_path(const std::string &version);

// Reads `text` as a questions file named `name` in its problems. UTF-8, one
// question a line: SQUARE|QUESTION|RIGHT|WRONG[|WRONG[|WRONG]], the fields
// separated by '|' or a tab (a spreadsheet's tab-separated text, whose
// quoted fields lose their quotes), blanks around a field dropped. A byte
// order mark at the start, blank lines and lines whose first character other
// than a blank is '#' are skipped; CRLF line ends are line ends. A line that
// is not valid UTF-8, holds a carriage return of an old Mac line end or no
// separator at all (comma-separated text), whose square is not a number from
// 1 to 98, that has fewer than two answers or more than four, an empty field,
// a field with a control character, a right answer also given as a wrong one
// (or one answer twice), a question that does not wrap into
// QUESTION_MAX_LINES lines or an answer longer than ANSWER_MAX_CHARS is left
// out, with one problem naming the line and the value (its control bytes
// escaped). A file saved as UTF-16 is one problem and no question.
QuestionFile parse_questions_text(const std::string &text, const std::string &name);

// The file of `version`; a missing file is no problem (given false).
QuestionFile read_version_questions(const std::string &version);

// `text` in lines of at most `width` characters (code points), broken at
// blanks; a word longer than a line is cut. Runs of blanks count as one.
std::vector<std::string> wrap_words(const std::string &text, int width);

// The questions of each square, in file order: by_square[s] lists indexes
// into file.questions.
std::vector<std::vector<int>> questions_by_square(const QuestionFile &file);

// Where an answered question leaves a token that stopped on `square`, where
// a ladder or chute to `dest` starts (NO_DEST when none). The foot of a
// ladder: right climbs, wrong stays. The top of a chute: right stays, wrong
// slides. Any other square: the token stays either way, and a right answer
// rolls again (answer_rolls_again).
int answered_square(int square, int dest, bool right);
bool answer_rolls_again(int dest, bool right);
// Whether a right answer on that square earns the word of praise: the top
// of a chute, escaped.
bool answer_praised(int square, int dest, bool right);

// The voice files of a question, beside its text files: part 0 is the
// question, part 1 the right answer, parts 2 to 4 the wrong ones in file
// order. "./<version>/question07-1" for the first question of square 7,
// "./<version>/question07-1-answer1" for its right answer; the sounds add ".wav".
std::string question_text_path(const std::string &version, const Question &question, int part);
std::string question_sound_path(const std::string &version, const Question &question, int part);
// What part `part` of the question says (the question, or that answer).
const std::string &question_part(const Question &question, int part);
int question_parts(const Question &question); // 2 + the wrong answers
