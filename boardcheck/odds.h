// The board's odds, exactly: the token's square as a Markov chain under the
// game's rules, with square 99 won.
#pragma once

#include "records.h"
#include "rules.h"

#include <array>
#include <vector>

constexpr int MAX_TURNS = 100000; // the distribution is followed at most this far

// Where a ladder or chute from each square leads, NO_DEST where none
// starts; of two records for one square the later wins, as in the game.
using DestTable = std::array<int, SQUARE_COUNT>;
DestTable dest_table(const std::vector<VersionRecord> &records);

// The square a turn ends on from `square` (0 to 98) with `roll` (1 to 6): a
// walk past 99 stops on 99; the one ladder or chute that starts where the
// walk stops is taken, and none from its end. The turn looks for a win only
// at its end, so even a record on 99 is taken when a walk reaches 99.
int turn_end(const DestTable &dest, int square, int roll);

// One way a turn can end: on square `to`, with the chance weight / DIE_FACES
// (a weight of 1 for each roll of a board without questions).
struct Move {
    int to;
    double weight;
};
// The ways a turn from each square 0 to 98 can end; entry 99 is empty.
using MoveTable = std::array<std::vector<Move>, SQUARE_COUNT>;

// One move for each roll, to turn_end.
MoveTable plain_moves(const DestTable &dest);

struct Odds {
    int trap = -1;             // a square reachable from 0 from which 99 can
                               // never be reached; -1 when there is none
    double expected_turns = 0; // turns of one token from 0 to 99 (solved
                               // exactly); infinite when trap >= 0
    // finish[t] = P(a token reaches 99 on its turn t), alive[t] = P(it is not
    // on 99 after t turns); both from t = 0, followed until alive drops below
    // 1e-15 or for MAX_TURNS turns.
    std::vector<double> finish;
    std::vector<double> alive;
    bool cut_off = false;      // followed for MAX_TURNS and still not done
    int players = PLAYERS;     // 2 to 4, moving in turn from Player 1
    // wins[p] = P(player index p wins): Player 1 moves first, the first on
    // 99 wins. Together 1, less what is lost to a trap or the cut-off.
    std::array<double, MAX_PLAYERS> wins{};
    // Expected number of turns that player index p starts on square s during
    // a whole game (every token in turn, Player 1 first, stopping at the win).
    std::array<std::array<double, SQUARE_COUNT>, MAX_PLAYERS> turns_from{};
};

// Everything above for the board and `players` (2 to 4) players. The tokens
// move independently, so one token's finishing distribution gives every
// player's chance: player p wins on its turn t when its token finishes then,
// the players before it have not finished within t turns and those after it
// not within t - 1. Never hangs: at most MAX_TURNS steps of the distribution.
Odds board_odds(const DestTable &dest, int players = PLAYERS);

// The same for any chain of turns (a board with questions: question_odds.h).
Odds chain_odds(const MoveTable &moves, int players = PLAYERS);
std::array<double, SQUARE_COUNT> chain_turns_to_win(const MoveTable &moves);

// Expected turns from every square to 99, by solving the chain's linear
// equations over the squares reachable from 0; entries not reachable, or all
// entries when a trap is reachable, are infinite. Entry 99 is 0.
std::array<double, SQUARE_COUNT> expected_turns_to_win(const DestTable &dest);

// The smallest number of rounds (one turn of each player) within which the
// game has ended with probability at least q; -1 when that is not reached
// within the turns followed.
int rounds_quantile(const Odds &odds, double q);

// The same for the number of turns of all players together (a winning turn
// ends the game before the later players' turns of that round).
int turns_quantile(const Odds &odds, double q);
