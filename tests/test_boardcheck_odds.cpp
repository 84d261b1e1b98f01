// The checker's odds and times against independent calculations: backward
// recursion, value iteration, cases worked by hand, a seeded simulation, and
// cells worked out by hand.
#include "gametime.h"
#include "geometry.h"
#include "odds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace {

DestTable board_of(const std::vector<std::pair<int, int>> &records)
{
    DestTable dest;
    dest.fill(NO_DEST);
    for (auto [start, end] : records)
        dest[start] = end;
    return dest;
}

// Expected turns on a board whose records all lead upwards: every turn moves
// the token up, so E[s] follows from the squares above it.
double upward_expected_turns(const DestTable &dest, int from)
{
    std::vector<double> e(SQUARE_COUNT, 0.0);
    for (int s = WIN_SQUARE - 1; s >= 0; s--) {
        double sum = 0;
        for (int roll = 1; roll <= 6; roll++) {
            int to = std::min(s + roll, 99);
            if (to != 99 && dest[to] != NO_DEST)
                to = dest[to];
            sum += e[std::size_t(to)];
        }
        e[std::size_t(s)] = 1 + sum / 6;
    }
    return e[std::size_t(from)];
}

// Expected turns by value iteration until nothing changes.
double iterated_expected_turns(const DestTable &dest)
{
    std::vector<double> e(SQUARE_COUNT, 0.0);
    for (int sweep = 0; sweep < 200000; sweep++) {
        double change = 0;
        for (int s = 0; s < 99; s++) {
            double sum = 0;
            for (int roll = 1; roll <= 6; roll++) {
                int to = std::min(s + roll, 99);
                if (dest[to] != NO_DEST) // 99's own record too: the win comes after
                    to = dest[to];
                sum += e[std::size_t(to)];
            }
            change = std::max(change, std::fabs(1 + sum / 6 - e[std::size_t(s)]));
            e[std::size_t(s)] = 1 + sum / 6;
        }
        if (change < 1e-13)
            break;
    }
    return e[0];
}

TEST(BoardcheckOdds, ExpectedTurnsMatchIndependentCalculations)
{
    struct Case {
        const char *name;
        DestTable dest;
        double expected;
    };
    DestTable empty = board_of({});
    DestTable ladder = board_of({{1, 99}});
    DestTable chute = board_of({{50, 10}});
    DestTable mixed = board_of({{4, 25}, {19, 2}, {35, 6}, {40, 78}, {98, 41}, {12, 12}});
    DestTable off_the_top = board_of({{99, 60}, {95, 99}}); // only the ladder wins
    // Ladder from 1: a 1 wins at once, any other roll leaves an empty race.
    double after_ladder = 0;
    for (int r = 2; r <= 6; r++)
        after_ladder += upward_expected_turns(empty, r);
    const std::vector<Case> cases = {
        {"empty board", empty, upward_expected_turns(empty, 0)},
        {"ladder 1 to 99", ladder, 1 + after_ladder / 6},
        {"only a chute", chute, iterated_expected_turns(chute)},
        {"ladders, chutes and an equal record", mixed, iterated_expected_turns(mixed)},
        {"a chute from 99", off_the_top, iterated_expected_turns(off_the_top)},
    };
    for (const Case &c : cases) {
        Odds odds = board_odds(c.dest);
        EXPECT_EQ(odds.trap, -1) << c.name;
        EXPECT_NEAR(odds.expected_turns, c.expected, 1e-9) << c.name;
        // The distribution followed turn by turn has the same mean.
        double mean = 0;
        for (std::size_t t = 1; t < odds.finish.size(); t++)
            mean += double(t) * odds.finish[t];
        EXPECT_NEAR(mean, c.expected, 1e-9) << c.name;
        EXPECT_NEAR(odds.wins[0] + odds.wins[1], 1, 1e-12) << c.name;
        EXPECT_FALSE(odds.cut_off) << c.name;
    }
    // The empty race: 99 squares at 3.5 a roll, plus what the cap loses.
    EXPECT_GT(cases[0].expected, 99 / 3.5);
    EXPECT_LT(cases[0].expected, 99 / 3.5 + 1);
    EXPECT_LT(cases[1].expected, cases[0].expected);
    EXPECT_GT(cases[2].expected, cases[0].expected);
    EXPECT_GT(cases[4].expected, cases[0].expected + 5) << "a walk onto 99 slides back to 60";
}

TEST(BoardcheckOdds, PlayerOneMovesFirstAndWinsMoreOften)
{
    Odds odds = board_odds(board_of({}));
    EXPECT_GT(odds.wins[0], 0.5);
    EXPECT_LT(odds.wins[0], 0.6);
}

// Boards whose finishing turn is known exactly.
TEST(BoardcheckOdds, HandWorkedDistributions)
{
    struct Case {
        const char *name;
        DestTable dest;
        double turns, p1;
        int median_rounds, p90_rounds, median_turns, p90_turns;
    };
    // Ladders on 1 to 3 win, chutes on 4 to 6 go back to 0: each turn wins
    // with probability 1/2. P1 = (1/2) / (1 - 1/4); rounds end with 3/4 a
    // round; the game ends on turn 1, 2, 3, 4 with 1/2, 1/4, 1/8, 1/16.
    const std::vector<Case> cases = {
        {"every roll wins", board_of({{1, 99}, {2, 99}, {3, 99}, {4, 99}, {5, 99}, {6, 99}}),
         1, 1, 1, 1, 1, 1},
        {"half the rolls win", board_of({{1, 99}, {2, 99}, {3, 99}, {4, 0}, {5, 0}, {6, 0}}),
         2, 2.0 / 3, 1, 2, 1, 4},
    };
    for (const Case &c : cases) {
        Odds odds = board_odds(c.dest);
        EXPECT_NEAR(odds.expected_turns, c.turns, 1e-12) << c.name;
        EXPECT_NEAR(odds.wins[0], c.p1, 1e-12) << c.name;
        EXPECT_EQ(rounds_quantile(odds, 0.5), c.median_rounds) << c.name;
        EXPECT_EQ(rounds_quantile(odds, 0.9), c.p90_rounds) << c.name;
        EXPECT_EQ(turns_quantile(odds, 0.5), c.median_turns) << c.name;
        EXPECT_EQ(turns_quantile(odds, 0.9), c.p90_turns) << c.name;
    }
}

// Every turn wins with probability 1/2, so player p of N wins with
// 2^-(p+1) / (1 - 2^-N) (4/7, 2/7, 1/7 for three); the game ends on its k-th
// turn with 2^-k whatever N, so its 90th percentile is turn 4; it lasts
// beyond r rounds with 2^-(N r): within 2 rounds for 3 players, 1 for 4.
TEST(BoardcheckOdds, HandWorkedForMorePlayers)
{
    DestTable half = board_of({{1, 99}, {2, 99}, {3, 99}, {4, 0}, {5, 0}, {6, 0}});
    for (int players : {3, 4}) {
        Odds odds = board_odds(half, players);
        for (int p = 0; p < MAX_PLAYERS; p++) {
            double want = p < players ? std::pow(0.5, p + 1) / (1 - std::pow(0.5, players)) : 0;
            EXPECT_NEAR(odds.wins[p], want, 1e-12) << players << " players, " << p;
        }
        EXPECT_EQ(rounds_quantile(odds, 0.9), players == 3 ? 2 : 1) << players;
        EXPECT_EQ(turns_quantile(odds, 0.9), 4) << players;
    }
}

TEST(BoardcheckOdds, RulesOfOneTurn)
{
    DestTable dest = board_of({{10, 20}, {20, 5}, {99, 3}});
    struct Case {
        int square, roll, end;
    } cases[] = {
        {97, 5, 3},   // a roll past 99 stops on 99, and 99's record is taken:
        {93, 6, 3},   // the turn looks for the win only at its end
        {90, 5, 95},
        {4, 6, 20},   // one ladder, not followed on down the chute from 20
        {14, 6, 5},   // the chute alone
        {15, 6, 21},
    };
    for (auto c : cases)
        EXPECT_EQ(turn_end(dest, c.square, c.roll), c.end) << c.square << " + " << c.roll;
}

TEST(BoardcheckOdds, ATrapIsFoundAndNothingHangs)
{
    std::vector<std::pair<int, int>> records;
    for (int s = 1; s <= 98; s++)
        records.push_back({s, 0});
    Odds odds = board_odds(board_of(records));
    EXPECT_EQ(odds.trap, 0);
    EXPECT_TRUE(std::isinf(odds.expected_turns));
    EXPECT_EQ(odds.wins[0] + odds.wins[1], 0);
    EXPECT_EQ(rounds_quantile(odds, 0.5), -1);

    // A chute from 99 with no ladder onto 99: every walk onto 99 slides away.
    Odds endless = board_odds(board_of({{99, 60}}));
    EXPECT_GE(endless.trap, 0);
    EXPECT_TRUE(std::isinf(endless.expected_turns));

    // Only a square that the token can come to counts: ladders on 54 to 59
    // jump over 60, and the chutes that fall back into 60 start where no
    // token can stand.
    std::vector<std::pair<int, int>> fenced;
    for (int s = 54; s <= 59; s++)
        fenced.push_back({s, 70});
    for (int s = 61; s <= 66; s++)
        fenced.push_back({s, 60});
    Odds unreachable = board_odds(board_of(fenced));
    EXPECT_EQ(unreachable.trap, -1);
    EXPECT_TRUE(std::isfinite(unreachable.expected_turns));
    EXPECT_NEAR(unreachable.wins[0] + unreachable.wins[1], 1, 1e-12);
}

TEST(BoardGeometry, CellsSnakeUpFromTheBottomLeft)
{
    struct Case {
        int square, x, y;
    } cases[] = {
        {0, 0, 432}, {9, 432, 432}, {10, 432, 384}, {19, 0, 384}, {20, 0, 336}, {55, 192, 192},
        {90, 432, 0}, {99, 0, 0},
    };
    for (auto c : cases) {
        Point cell = square_corner(c.square);
        EXPECT_EQ(cell.x, c.x) << "square " << c.square;
        EXPECT_EQ(cell.y, c.y) << "square " << c.square;
    }
}

TEST(BoardcheckGeometry, WorkedExamples)
{
    struct Case {
        int from, to, band, drawn;
    } cases[] = {
        {4, 14, 67, 69}, {1, 21, 96, 99}, {9, 10, 48, 54}, {12, 15, 144, 159},
        {30, 12, 135, 135}, {21, 1, 96, 96}, {3, 3, 0, 0}, {5, 6, 48, 54},
    };
    for (auto c : cases) {
        EXPECT_EQ(band_length(c.from, c.to), c.band) << c.from << " to " << c.to;
        EXPECT_EQ(drawn_length(c.from, c.to), c.drawn) << c.from << " to " << c.to;
    }
    struct Slide {
        int which, from, to, frames;
    } slides[] = {
        {0, 3, 22, 86}, {1, 19, 5, 230}, {0, 18, 2, 58}, {0, 7, 7, 10}, {1, 7, 7, 10},
    };
    for (auto s : slides)
        EXPECT_EQ(slide_frames(s.which, s.from, s.to), s.frames) << s.from << " to " << s.to;
}

TEST(BoardcheckTime, OneTurnGamesWorkedByHand)
{
    DestTable dest = board_of({{1, 99}, {2, 99}, {3, 99}, {4, 99}, {5, 99}, {6, 99}});
    SoundTimes sounds;
    sounds.turn_ms = {1000, 3000};
    sounds.win_ms = {2000, 5000};
    // From square r of the bottom row Player 1's corner is 422 pixels below
    // the middle of square 99, more than it is to the side.
    GameTime time = expected_game_time(dest, board_odds(dest), sounds);
    EXPECT_NEAR(time.turn_sounds, 1000, 1e-9);
    EXPECT_NEAR(time.walking, 3.5 * 800, 1e-9);
    EXPECT_NEAR(time.slides, 422 * 50, 1e-9);
    EXPECT_NEAR(time.win_sound, 2000, 1e-9);

    // A note longer than its slide is waited for after the slide.
    sounds.note_ms[3] = 30000;
    time = expected_game_time(dest, board_odds(dest), sounds);
    EXPECT_NEAR(time.slides, (5 * 422 * 50 + 30000) / 6.0, 1e-9);
}

// Whole games played out with a seeded die, the rules written again here.
struct Simulated {
    std::array<double, MAX_PLAYERS> wins{};
    double turns = 0, walk_ms = 0, slide_ms = 0;
    std::vector<int> lengths; // each game's turns, sorted
};

Simulated simulate(const DestTable &dest, int games, int players = 2)
{
    std::mt19937 die(20240611);
    std::uniform_int_distribution<int> face(1, 6);
    Simulated sum;
    for (int g = 0; g < games; g++) {
        int square[MAX_PLAYERS] = {0, 0, 0, 0};
        for (int turn = 1, which = 0;; turn++, which = (which + 1) % players) {
            sum.turns += 1;
            int walk = std::min(face(die), 99 - square[which]);
            square[which] += walk;
            sum.walk_ms += walk * 800.0;
            int at = square[which];
            if (at != 99 && dest[at] != NO_DEST) {
                Point from = square_corner(at), to = square_corner(dest[at]);
                // Top left, bottom right, bottom left, top right.
                int cx = which % 2 == 0 ? 4 : 24, cy = which == 1 || which == 2 ? 24 : 4;
                int dx = std::abs(to.x + 14 - from.x - cx), dy = std::abs(to.y + 14 - from.y - cy);
                sum.slide_ms += 50.0 * std::max(dx, dy);
                square[which] = dest[at];
            }
            if (square[which] == 99) {
                sum.wins[std::size_t(which)] += 1;
                sum.lengths.push_back(turn);
                break;
            }
        }
    }
    for (double &w : sum.wins)
        w /= games;
    sum.turns /= games;
    sum.walk_ms /= games;
    sum.slide_ms /= games;
    std::sort(sum.lengths.begin(), sum.lengths.end());
    return sum;
}

const DestTable played_board = board_of({{4, 25}, {9, 48}, {19, 2}, {33, 85}, {35, 6}, {57, 38},
                                         {62, 81}, {87, 64}, {94, 73}, {98, 41}});

double all_turns(const Odds &odds)
{
    double sum = 0;
    for (const auto &player : odds.turns_from)
        for (double w : player)
            sum += w;
    return sum;
}

TEST(BoardcheckTime, AgreesWithPlayedOutGames)
{
    constexpr int games = 100000;
    Simulated played = simulate(played_board, games);
    Odds odds = board_odds(played_board);
    GameTime time = expected_game_time(played_board, odds, SoundTimes{});
    // Four standard errors of a proportion, and of means that vary by about
    // their own size from game to game.
    EXPECT_NEAR(played.wins[0], odds.wins[0], 4 * 0.5 / std::sqrt(games));
    EXPECT_NEAR(played.turns / all_turns(odds), 1, 0.02);
    EXPECT_NEAR(played.walk_ms / time.walking, 1, 0.02);
    EXPECT_NEAR(played.slide_ms / time.slides, 1, 0.03);
}

// Three and four players: each player's chance, the game's length in turns
// and its slides (every player from its own corner), against games played out.
TEST(BoardcheckOdds, MorePlayersAgreeWithPlayedOutGames)
{
    constexpr int games = 100000;
    for (int players : {3, 4}) {
        Simulated played = simulate(played_board, games, players);
        Odds odds = board_odds(played_board, players);
        for (int p = 0; p < players; p++) {
            double w = odds.wins[p];
            EXPECT_NEAR(played.wins[p], w, 4 * std::sqrt(w * (1 - w) / games)) << players << ", " << p;
        }
        GameTime time = expected_game_time(played_board, odds, SoundTimes{});
        EXPECT_NEAR(played.turns / all_turns(odds), 1, 0.02) << players;
        EXPECT_NEAR(played.slide_ms / time.slides, 1, 0.03) << players;
        // The played median and 90th percentile within a turn of the exact ones.
        EXPECT_NEAR(played.lengths[games / 2], turns_quantile(odds, 0.5), 1) << players;
        EXPECT_NEAR(played.lengths[games * 9 / 10], turns_quantile(odds, 0.9), 1) << players;
    }
}

} // namespace
