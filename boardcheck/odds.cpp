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

Flags reachable_from_start(const DestTable &dest)
{
    Flags seen{};
    std::vector<int> todo{0};
    seen[0] = true;
    while (!todo.empty()) {
        int s = todo.back();
        todo.pop_back();
        if (s == WIN_SQUARE)
            continue;
        for (int roll = 1; roll <= DIE_FACES; roll++) {
            int next = turn_end(dest, s, roll);
            if (!seen[next]) {
                seen[next] = true;
                todo.push_back(next);
            }
        }
    }
    return seen;
}

Flags can_reach_win(const DestTable &dest)
{
    Flags wins{};
    wins[WIN_SQUARE] = true;
    for (bool changed = true; changed;) {
        changed = false;
        for (int s = 0; s < WIN_SQUARE; s++)
            for (int roll = 1; roll <= DIE_FACES && !wins[s]; roll++)
                if (wins[turn_end(dest, s, roll)])
                    wins[s] = changed = true;
    }
    return wins;
}

int find_trap(const DestTable &dest)
{
    Flags reach = reachable_from_start(dest);
    Flags wins = can_reach_win(dest);
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
double step(const DestTable &dest, std::array<double, SQUARE_COUNT> &mass)
{
    std::array<double, SQUARE_COUNT> next{};
    for (int s = 0; s < WIN_SQUARE; s++)
        for (int roll = 1; roll <= DIE_FACES && mass[s] > 0; roll++)
            next[turn_end(dest, s, roll)] += mass[s] / DIE_FACES;
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

// Follows one token turn by turn. Player 1 starts turn t when neither token
// finished before it; Player 2 when, besides, Player 1 did not finish on it.
void follow(const DestTable &dest, Odds &odds)
{
    std::array<double, SQUARE_COUNT> mass{};
    mass[0] = 1;
    odds.finish = {0};
    odds.alive = {1};
    for (int t = 1; t <= MAX_TURNS; t++) {
        std::array<double, SQUARE_COUNT> before = mass;
        odds.finish.push_back(step(dest, mass));
        odds.alive.push_back(total(mass));
        for (int s = 0; s < WIN_SQUARE; s++) {
            odds.turns_from[0][s] += before[s] * odds.alive[t - 1];
            odds.turns_from[1][s] += before[s] * odds.alive[t];
        }
        odds.p1_wins += odds.finish[t] * odds.alive[t - 1];
        odds.p2_wins += odds.finish[t] * odds.alive[t];
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
    std::array<double, SQUARE_COUNT> turns;
    turns.fill(INF);
    turns[WIN_SQUARE] = 0;
    if (find_trap(dest) >= 0)
        return turns;
    Flags reach = reachable_from_start(dest);
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
        for (int roll = 1; roll <= DIE_FACES; roll++) {
            int next = turn_end(dest, squares[i], roll);
            if (next != WIN_SQUARE)
                a[i][std::size_t(index[next])] -= 1.0 / DIE_FACES;
        }
    }
    std::vector<double> x = solve(a, b);
    for (std::size_t i = 0; i < n; i++)
        turns[squares[i]] = x[i];
    return turns;
}

Odds board_odds(const DestTable &dest)
{
    Odds odds;
    odds.trap = find_trap(dest);
    odds.expected_turns = expected_turns_to_win(dest)[0];
    follow(dest, odds);
    return odds;
}

int rounds_quantile(const Odds &odds, double q)
{
    // The game lasts at least t rounds when neither token finished before.
    for (std::size_t t = 1; t < odds.alive.size(); t++)
        if (1 - odds.alive[t] * odds.alive[t] >= q - QUANTILE_SLACK)
            return int(t);
    return -1;
}

int turns_quantile(const Odds &odds, double q)
{
    double ended = 0;
    for (std::size_t t = 1; t < odds.alive.size(); t++) {
        ended += odds.finish[t] * odds.alive[t - 1]; // Player 1 wins on turn 2t - 1
        if (ended >= q - QUANTILE_SLACK)
            return int(2 * t - 1);
        ended += odds.finish[t] * odds.alive[t];     // Player 2 wins on turn 2t
        if (ended >= q - QUANTILE_SLACK)
            return int(2 * t);
    }
    return -1;
}
