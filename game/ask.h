// Question squares in play: the version's questions, the box over the board
// that asks them, the answer read from a child or made by the computer, and
// each player's tally of right answers.
#pragma once

#include "outcome.h"
#include "panel.h"
#include "questions.h"
#include "sayings.h"

#include <SDL.h>

#include <string>
#include <vector>

// The box, over the middle of the board; the board is repaired under it
// afterwards. Text in it is the panel font drawn twice as large.
constexpr int ASK_X = 24;
constexpr int ASK_Y = 64;
constexpr int ASK_W = 432;
constexpr int ASK_H = 352;
constexpr int ASK_SCALE = 2;
constexpr int ASK_PAD = 12;
constexpr int ASK_LINE_H = 30;                   // a line of text at twice the size
constexpr int ASK_ROWS_Y = ASK_Y + ASK_PAD + QUESTION_MAX_LINES * ASK_LINE_H + 10;
constexpr int ASK_ROW_H = 44;                    // one answer's row, its click target
constexpr int ASK_ROW_GAP = 4;
constexpr int ASK_VERDICT_Y = ASK_ROWS_Y + MAX_ANSWERS * ASK_ROW_H + 4;
constexpr int ASK_VERDICT_H = ASK_Y + ASK_H - 2 - ASK_VERDICT_Y; // down to the border
static_assert(VERDICT_CELLS * PANEL_FONT_W * ASK_SCALE <= ASK_W - 2 * ASK_PAD,
              "the verdict's words fit the box's line");
static_assert((VERDICT_LINES - 1) * ASK_LINE_H + PANEL_FONT_H * ASK_SCALE <= ASK_VERDICT_H,
              "the verdict's lines fit above the box's border");
static_assert(ANSWER_MAX_CHARS <= VERDICT_CELLS, "a right answer fits a verdict line of its own");

constexpr int COMPUTER_THINK_MS = 1200; // the computer reads before it answers
constexpr int VERDICT_MS = 2000;        // right or wrong stays shown this long at least

// Reads the questions of `version` (questions.h); a line with a problem is
// left out and its problem printed on standard error. Without a questions
// file nothing changes anywhere in the game. Call once the board is built.
void questions_setup(const std::string &version);

// Whether the version has questions at all, and on square `square`.
bool questions_in_play();
bool question_on(int square);

// Asks the next question of `square` (they take turns, one per landing) of
// player index `which`: the box with the question and its answers shuffled
// and numbered 1 to 4, printed "Question: ..." and "Answer N: ..." lines and,
// under --speak, the question and each answer said. A child answers by keys
// 1 to 4 or the chooser's (chooser.h: arrows or Tab, Enter or Space, a click
// or touch on an answer, or with --one-button any press while the scanning
// highlight is on it); the computer answers right COMPUTER_RIGHT_CHANCE of the
// time. "Right" or "Wrong" is printed; after a wrong answer the right one is
// shown and said, after a right one on a chute's top a word of praise. The
// box is then repaired from the board. Escape or the window's close ends it
// with their outcome; `right` is then false.
Outcome ask_question(int which, int square, bool &right);

// "Player 1: 5 of 7" for each player in the game; empty without questions.
std::vector<std::string> answer_tally();
