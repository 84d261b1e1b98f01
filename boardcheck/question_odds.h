// The board's odds when questions stand on some squares: the turn's chain
// for a child who answers right with a given chance.
#pragma once

#include "odds.h"
#include "questions.h"

#include <array>

// The answer rates the report gives odds for: every time, three in four
// (the computer's), half the time.
constexpr std::array<double, 3> ANSWER_RATES = {1.0, COMPUTER_RIGHT_CHANCE, 0.5};

using AskedTable = std::array<bool, SQUARE_COUNT>; // a question stands on the square

AskedTable asked_table(const QuestionFile &file);

// The ways a turn can end from each square when every answer is right with
// chance `right` (0 to 1), by the rules of questions.h: on the foot of a
// ladder or the top of a chute the answer decides whether it is taken, and a
// right answer on any other square rolls again at once, within the turn.
// Every roll moves a token on, so the rolls again of one turn end within 99.
MoveTable question_moves(const DestTable &dest, const AskedTable &asked, double right);
