// A turn's chain on a board with questions.
#include "question_odds.h"

#include <map>

namespace {

using Ends = std::map<int, double>; // square a turn ends on -> chance

void add(Ends &into, const Ends &from, double chance)
{
    for (const auto &[square, p] : from)
        into[square] += chance * p;
}

// Where a turn that has stopped its walk on `reached` ends, given where a
// whole turn from each later square ends (`from`).
Ends landing(const DestTable &dest, const AskedTable &asked, double right, int reached,
             const std::array<Ends, SQUARE_COUNT> &from)
{
    if (reached == WIN_SQUARE || !asked[reached])
        return Ends{{dest[reached] == NO_DEST ? reached : dest[reached], 1.0}};
    Ends ends;
    for (bool answer : {true, false}) {
        double chance = answer ? right : 1 - right;
        if (chance == 0)
            continue;
        if (answer_rolls_again(dest[reached], answer))
            add(ends, from[reached], chance);
        else
            ends[answered_square(reached, dest[reached], answer)] += chance;
    }
    return ends;
}

} // namespace

AskedTable asked_table(const QuestionFile &file)
{
    AskedTable asked{};
    for (const Question &q : file.questions)
        asked[std::size_t(q.square)] = true;
    return asked;
}

MoveTable question_moves(const DestTable &dest, const AskedTable &asked, double right)
{
    // A roll again starts from a later square than the roll before, so the
    // squares are taken from 98 down.
    std::array<Ends, SQUARE_COUNT> from;
    MoveTable moves;
    for (int s = WIN_SQUARE - 1; s >= 0; s--) {
        for (int roll = 1; roll <= DIE_FACES; roll++)
            add(from[s], landing(dest, asked, right, s + walk_steps(s, roll), from), 1.0 / DIE_FACES);
        for (const auto &[square, p] : from[s])
            moves[s].push_back(Move{square, p * DIE_FACES});
    }
    return moves;
}
