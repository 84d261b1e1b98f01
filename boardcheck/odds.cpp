// The board's odds from the game's rules, exactly: a linear solve for the
// expected turns and the finishing distribution followed turn by turn.
#include "odds.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double TAIL = 1e-15;          // mass still on the board that counts as none
constexpr double QUANTILE_SLACK = 1e-12; // rounding must not push 0.75 below 0.75
constexpr double INF = std::numeric_limits<double>::infinity();

using Flags = std::array<bool, SQUARE_COUNT>;

Flags reachable_from_start(const MoveTable &moves)
{
    Flags seen{};
    std::vector<int> todo{0};
    seen[0] = true;
    while (!todo.empty()) {
        int s = todo.back();
        todo.pop_back();
        if (s == WIN_SQUARE)
            continue;
        for (const Move &move : moves[s])
            if (move.weight > 0 && !seen[move.to]) {
                seen[move.to] = true;
                todo.push_back(move.to);
            }
    }
    return seen;
}

Flags can_reach_win(const MoveTable &moves)
{
    Flags wins{};
    wins[WIN_SQUARE] = true;
    for (bool changed = true; changed;) {
        changed = false;
        for (int s = 0; s < WIN_SQUARE; s++)
            for (const Move &move : moves[s])
                if (!wins[s] && move.weight > 0 && wins[move.to])
                    wins[s] = changed = true;
    }
    return wins;
}

int find_trap(const MoveTable &moves)
{
    Flags reach = reachable_from_start(moves);
    Flags wins = can_reach_win(moves);
    for (int s = 0; s < SQUARE_COUNT; s++)
        if (reach[s] && !wins[s])
            return s;
    return -1;
}

// Solves a x = b in place by Gaussian elimination with partial pivoting.
std::vector<double> solve(std::vector<std::vector<double>> a, std::vector<double> b)
{
    std::size_t n = b.size();
    for (std::size_t col = 0; col < n; col++) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; row++)
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col]))
                pivot = row;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (std::size_t row = col + 1; row < n; row++) {
            double factor = a[row][col] / a[col][col];
            for (std::size_t k = col; k < n; k++)
                a[row][k] -= factor * a[col][k];
            b[row] -= factor * b[col];
        }
    }
    std::vector<double> x(n);
    for (std::size_t row = n; row-- > 0;) {
        double sum = b[row];
        for (std::size_t k = row + 1; k < n; k++)
            sum -= a[row][k] * x[k];
        x[row] = sum / a[row][row];
    }
    return x;
}

// One turn of the distribution over squares 0 to 98; returns the mass that
// reached 99.
double step(const MoveTable &moves, std::array<double, SQUARE_COUNT> &mass)
{
    std::array<double, SQUARE_COUNT> next{};
    for (int s = 0; s < WIN_SQUARE; s++)
        for (std::size_t m = 0; m < moves[s].size() && mass[s] > 0; m++)
            next[moves[s][m].to] += mass[s] * moves[s][m].weight / DIE_FACES;
    double won = next[WIN_SQUARE];
    next[WIN_SQUARE] = 0;
    mass = next;
    return won;
}

double total(const std::array<double, SQUARE_COUNT> &mass)
{
    double sum = 0;
    for (double m : mass)
        sum += m;
    return sum;
}

// x to the power n by repeated products: for two players exactly the
// products the odds have always been summed from.
double power(double x, int n)
{
    double r = 1;
    for (int i = 0; i < n; i++)
        r *= x;
    return r;
}

// The chance that the other players leave player index p its turn t: those
// before it have not finished within t turns (alive_now = alive[t]), those
// after it not within t - 1 (alive_before = alive[t - 1]).
double share_of_turn(const Odds &odds, int p, double alive_now, double alive_before)
{
    return power(alive_now, p) * power(alive_before, odds.players - 1 - p);
}

// Follows one token turn by turn; every player's token moves by the same
// chain, independently of the others.
void follow(const MoveTable &moves, Odds &odds)
{
    std::array<double, SQUARE_COUNT> mass{};
    mass[0] = 1;
    odds.finish = {0};
    odds.alive = {1};
    for (int t = 1; t <= MAX_TURNS; t++) {
        std::array<double, SQUARE_COUNT> before = mass;
        odds.finish.push_back(step(moves, mass));
        odds.alive.push_back(total(mass));
        for (int p = 0; p < odds.players; p++) {
            double others = share_of_turn(odds, p, odds.alive[t], odds.alive[t - 1]);
            for (int s = 0; s < WIN_SQUARE; s++)
                odds.turns_from[std::size_t(p)][s] += before[s] * others;
            odds.wins[std::size_t(p)] += odds.finish[t] * others;
        }
        if (odds.alive[t] < TAIL)
            return;
    }
    odds.cut_off = true;
}

} // namespace

DestTable dest_table(const std::vector<VersionRecord> &records)
{
    DestTable dest;
    dest.fill(NO_DEST);
    for (const VersionRecord &record : records)
        dest[record.start] = record.end;
    return dest;
}

int turn_end(const DestTable &dest, int square, int roll)
{
    int reached = square + walk_steps(square, roll);
    if (dest[reached] == NO_DEST)
        return reached;
    return dest[reached];
}

std::array<double, SQUARE_COUNT> expected_turns_to_win(const DestTable &dest)
{
    return chain_turns_to_win(plain_moves(dest));
}

std::array<double, SQUARE_COUNT> chain_turns_to_win(const MoveTable &moves)
{
    std::array<double, SQUARE_COUNT> turns;
    turns.fill(INF);
    turns[WIN_SQUARE] = 0;
    if (find_trap(moves) >= 0)
        return turns;
    Flags reach = reachable_from_start(moves);
    std::vector<int> index(SQUARE_COUNT, -1);
    std::vector<int> squares;
    for (int s = 0; s < WIN_SQUARE; s++)
        if (reach[s]) {
            index[s] = int(squares.size());
            squares.push_back(s);
        }
    // E[s] - sum over rolls of E[end] / 6 = 1, with E[99] = 0.
    std::size_t n = squares.size();
    std::vector<std::vector<double>> a(n, std::vector<double>(n, 0.0));
    std::vector<double> b(n, 1.0);
    for (std::size_t i = 0; i < n; i++) {
        a[i][i] += 1;
        for (const Move &move : moves[squares[i]])
            if (move.to != WIN_SQUARE)
                a[i][std::size_t(index[move.to])] -= move.weight / DIE_FACES;
    }
    std::vector<double> x = solve(a, b);
    for (std::size_t i = 0; i < n; i++)
        turns[squares[i]] = x[i];
    return turns;
}

MoveTable plain_moves(const DestTable &dest)
{
    MoveTable moves;
    for (int s = 0; s < WIN_SQUARE; s++)
        for (int roll = 1; roll <= DIE_FACES; roll++)
            moves[s].push_back(Move{turn_end(dest, s, roll), 1.0});
    return moves;
}

Odds board_odds(const DestTable &dest, int players)
{
    return chain_odds(plain_moves(dest), players);
}

Odds chain_odds(const MoveTable &moves, int players)
{
    Odds odds;
    odds.players = players;
    odds.trap = find_trap(moves);
    odds.expected_turns = chain_turns_to_win(moves)[0];
    follow(moves, odds);
    return odds;
}

int rounds_quantile(const Odds &odds, double q)
{
    // The game lasts at least t rounds when no token finished before.
    for (std::size_t t = 1; t < odds.alive.size(); t++)
        if (1 - power(odds.alive[t], odds.players) >= q - QUANTILE_SLACK)
            return int(t);
    return -1;
}

int turns_quantile(const Odds &odds, double q)
{
    double ended = 0;
    for (std::size_t t = 1; t < odds.alive.size(); t++)
        for (int p = 0; p < odds.players; p++) {
            // Player index p wins on turn N (t - 1) + p + 1 of the game.
            ended += odds.finish[t] * share_of_turn(odds, p, odds.alive[t], odds.alive[t - 1]);
            if (ended >= q - QUANTILE_SLACK)
                return int(std::size_t(odds.players) * (t - 1) + std::size_t(p) + 1);
        }
    return -1;
}
