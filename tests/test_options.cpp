// The game's options: what each command line sets, where the version is
// found, and the usage errors that end the game with status 2 before it starts.
#include "options.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

namespace {

// Parses "boardgame ARGS" from a fresh default; returns the version's index.
int parse(std::vector<std::string> args)
{
    options = Options{};
    args.insert(args.begin(), "boardgame");
    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return parse_options(int(args.size()), argv.data());
}

TEST(Options, WhatEachCommandLineSets)
{
    struct Case {
        std::vector<std::string> args;
        int first, players;
        std::string computer; // "1" for each player index the computer plays
        bool one_button, speak;
    };
    const std::vector<Case> cases = {
        {{}, 1, 2, "0000", false, false},
        {{"--players", "3", "mivo"}, 3, 3, "0000", false, false},
        {{"--computer", "2", "--players=3"}, 4, 3, "0100", false, false},
        {{"--players", "4", "--computer=1,3,4", "--computer", "1"}, 6, 4, "1011", false, false},
        {{"--one-button", "--speak", "v", "--players", "3"}, 3, 2, "0000", true, true},
        {{"--", "--players"}, 2, 2, "0000", false, false},
    };
    for (const Case &c : cases) {
        std::string name = c.args.empty() ? "" : c.args[0] + " ... (" + std::to_string(c.args.size()) + ")";
        EXPECT_EQ(parse(c.args), c.first) << name;
        EXPECT_EQ(options.players, c.players) << name;
        for (int p = 0; p < MAX_PLAYERS; p++)
            EXPECT_EQ(options.computer[p], c.computer[std::size_t(p)] == '1') << name << ", player " << p + 1;
        EXPECT_EQ(options.one_button, c.one_button) << name;
        EXPECT_EQ(options.speak, c.speak) << name;
    }
}

TEST(Options, UsageErrorsEndWithStatusTwo)
{
    const std::string players = "--players takes 2, 3 or 4, not ";
    const std::string computer = "--computer takes player numbers from 1 to 4 with commas between, not ";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--players", "5", "mivo"}, players + "\"5\""},
        {{"--players=", "mivo"}, players + "\"\""},
        {{"--players"}, "--players needs a value"},
        {{"--computer", "3"}, "--computer 3: there are only 2 players"},
        {{"--computer", "4", "--players", "3"}, "--computer 4: there are only 3 players"},
        {{"--computer", "0"}, computer + "\"0\""},
        {{"--computer", "1,,2"}, computer + "\"1,,2\""},
        {{"-x", "mivo"}, "unknown option \"-x\""},
    };
    // The messages hold no regular-expression characters.
    for (const auto &[args, message] : cases)
        EXPECT_EXIT(parse(args), testing::ExitedWithCode(2),
                    "^boardgame: " + message + "\nUsage: boardgame \\[--players N\\]")
            << message;
}

TEST(Options, HelpAndVersionEndWithStatusZero)
{
    EXPECT_EXIT((dup2(2, 1), parse({"--players", "3", "--help"})), testing::ExitedWithCode(0),
                "^Usage: boardgame \\[--players N\\].*--speak +say the game aloud");
    EXPECT_EXIT((dup2(2, 1), parse({"--version"})), testing::ExitedWithCode(0),
                "^boardgame [0-9]+\\.[0-9]+\\.[0-9]+\n$");
}

} // namespace
