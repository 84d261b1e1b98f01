// The checker's odds with questions: against boards whose answers are
// certain, and against 100,000 played-out games of the shipped example.
#include "question_odds.h"
#include "report.h"
#include "support.h"
#include "questions.h"
#include "records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <vector>

namespace {

// The shipped example board (the tests run in data/).
struct Board {
    DestTable dest;
    AskedTable asked;
};

Board example()
{
    VersionFile file = read_version_file("./tavo/tavo.config");
    QuestionFile questions = read_version_questions("tavo");
    EXPECT_TRUE(file.problems.empty());
    EXPECT_TRUE(questions.problems.empty());
    return Board{dest_table(file.records), asked_table(questions)};
}

// The board without its ladders (`keep_ladders` false) or its chutes.
DestTable only(const DestTable &dest, bool keep_ladders)
{
    DestTable kept = dest;
    for (int s = 0; s < SQUARE_COUNT; s++)
        if (kept[s] != NO_DEST && (kept[s] > s) != keep_ladders)
            kept[s] = NO_DEST;
    return kept;
}

TEST(QuestionOdds, CertainAnswersAreBoardsWithoutLaddersOrChutes)
{
    Board board = example();
    AskedTable everywhere;
    everywhere.fill(true);
    AskedTable on_ladders_and_chutes{};
    for (int s = 0; s < SQUARE_COUNT; s++)
        on_ladders_and_chutes[s] = board.dest[s] != NO_DEST && s != WIN_SQUARE;
    struct Case {
        const char *name;
        AskedTable asked;
        double rate;
        DestTable same_as;
    };
    const std::vector<Case> cases = {
        {"no question asked", AskedTable{}, 0.5, board.dest},
        {"always right on ladders and chutes: no chute taken", on_ladders_and_chutes, 1.0,
         only(board.dest, true)},
        {"always wrong everywhere: no ladder taken", everywhere, 0.0, only(board.dest, false)},
    };
    for (const Case &c : cases) {
        double got = chain_odds(question_moves(board.dest, c.asked, c.rate)).expected_turns;
        double want = board_odds(c.same_as).expected_turns;
        EXPECT_NEAR(got, want, 1e-9) << c.name;
    }
}

// One token's turns to 99, played out by the rules as a child meets them.
int played_turns(const Board &board, double rate, std::mt19937 &random)
{
    std::uniform_int_distribution<int> die(1, 6);
    std::bernoulli_distribution right(rate);
    int square = 0;
    int turns = 0;
    while (square != WIN_SQUARE) {
        turns++;
        for (bool again = true; again && square != WIN_SQUARE;) {
            again = false;
            square = std::min(square + die(random), WIN_SQUARE);
            int dest = board.dest[square];
            if (square == WIN_SQUARE || !board.asked[square]) {
                square = dest == NO_DEST ? square : dest;
            } else if (dest == NO_DEST) {
                again = right(random);
            } else {
                bool climbs = dest > square;
                bool answer = right(random);
                square = answer == climbs ? dest : square;
            }
        }
    }
    return turns;
}

TEST(QuestionOdds, AgreeWithPlayedOutGames)
{
    constexpr int GAMES = 100000;
    Board board = example();
    std::mt19937 random(20240611);
    for (double rate : ANSWER_RATES) {
        Odds odds = chain_odds(question_moves(board.dest, board.asked, rate));
        std::vector<int> count(1, 0);
        double sum = 0, squares = 0;
        for (int g = 0; g < GAMES; g++) {
            int t = played_turns(board, rate, random);
            sum += t;
            squares += double(t) * t;
            if (std::size_t(t) >= count.size())
                count.resize(std::size_t(t) + 1, 0);
            count[std::size_t(t)]++;
        }
        double mean = sum / GAMES;
        double error = std::sqrt((squares / GAMES - mean * mean) / GAMES);
        EXPECT_NEAR(odds.expected_turns, mean, 5 * error) << "rate " << rate;
        // The finishing turn's whole distribution: well within the 0.1 %
        // Kolmogorov-Smirnov bound (1.95 / sqrt(n) = 0.0062).
        double played = 0, worst = 0;
        for (std::size_t t = 1; t < std::max(count.size(), odds.alive.size()); t++) {
            played += t < count.size() ? count[t] : 0;
            double exact = t < odds.alive.size() ? 1 - odds.alive[t] : 1;
            worst = std::max(worst, std::fabs(played / GAMES - exact));
        }
        EXPECT_LT(worst, 0.0062) << "rate " << rate;
    }
}

TEST(QuestionReport, NamesEachBadLineAndGivesTheOdds)
{
    enter_scratch_folder("question-report");
    write_file("./v/v.config", "4 24 Up\n");
    write_file("./v/questions", "4|q?|a|b\n99|q?|a|b\n5|q?|a\n6|q?|a|a\n");
    std::ostringstream out, err;
    EXPECT_EQ(boardcheck("v", out, err), STATUS_PROBLEMS);
    std::string report = out.str();
    for (const char *line : {"./v/questions:2: the square \"99\" is not a number from 1 to 98",
                             "./v/questions:3: fewer than two answers",
                             "./v/questions:4: the right answer \"a\" is also a wrong one",
                             "Questions: 1 on 1 square (./v/questions)", "every time: one token",
                             "3 times in 4: one token", "half the time: one token",
                             "Odds for 2 players without the questions"})
        EXPECT_NE(report.find(line), std::string::npos) << line << "\n" << report;
}

} // namespace
