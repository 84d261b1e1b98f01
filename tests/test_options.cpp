// The game's options: what each command line sets, where the version is
// found, and the usage errors that end the game with status 2 before it starts.
#include "options.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

namespace {

// Parses a command line from a fresh default; returns the version's index.
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
        int first; // index of the version (or of the end)
        int players;
        std::vector<bool> computer;
        bool one_button, speak;
    };
    const std::vector<Case> cases = {
        {{}, 1, 2, {0, 0, 0, 0}, false, false},
        {{"mivo"}, 1, 2, {0, 0, 0, 0}, false, false},
        {{"--players", "3", "mivo"}, 3, 3, {0, 0, 0, 0}, false, false},
        {{"--players=4"}, 2, 4, {0, 0, 0, 0}, false, false},
        {{"--computer", "2", "--players", "3"}, 5, 3, {0, 1, 0, 0}, false, false},
        {{"--players", "4", "--computer=1,3,4", "v"}, 4, 4, {1, 0, 1, 1}, false, false},
        {{"--computer", "1,1", "--computer", "2"}, 5, 2, {1, 1, 0, 0}, false, false},
        {{"--one-button", "--speak", "v", "--players", "3"}, 3, 2, {0, 0, 0, 0}, true, true},
        {{"--", "--players"}, 2, 2, {0, 0, 0, 0}, false, false},
        {{"--one-button", "--", "-odd"}, 3, 2, {0, 0, 0, 0}, true, false},
    };
    for (const Case &c : cases) {
        std::string name;
        for (const std::string &a : c.args)
            name += a + " ";
        EXPECT_EQ(parse(c.args), c.first) << name;
        EXPECT_EQ(options.players, c.players) << name;
        for (int p = 0; p < MAX_PLAYERS; p++)
            EXPECT_EQ(options.computer[p], c.computer[std::size_t(p)]) << name << "player " << p + 1;
        EXPECT_EQ(options.one_button, c.one_button) << name;
        EXPECT_EQ(options.speak, c.speak) << name;
    }
}

TEST(Options, UsageErrorsEndWithStatusTwo)
{
    struct Case {
        std::vector<std::string> args;
        const char *message;
    };
    const std::vector<Case> cases = {
        {{"--players", "1"}, "--players takes 2, 3 or 4, not \"1\""},
        {{"--players", "5", "mivo"}, "--players takes 2, 3 or 4, not \"5\""},
        {{"--players", "03"}, "--players takes 2, 3 or 4, not \"03\""},
        {{"--players=", "mivo"}, "--players takes 2, 3 or 4, not \"\""},
        {{"--players"}, "--players needs a value"},
        {{"--computer"}, "--computer needs a value"},
        {{"--computer", "3"}, "--computer 3: there are only 2 players"},
        {{"--computer", "4", "--players", "3"}, "--computer 4: there are only 3 players"},
        {{"--computer", "0"}, "--computer takes player numbers from 1 to 4 with commas between, not \"0\""},
        {{"--computer", "1,,2"}, "--computer takes player numbers from 1 to 4 with commas between, not \"1,,2\""},
        {{"--computer", "1,"}, "--computer takes player numbers from 1 to 4 with commas between, not \"1,\""},
        {{"--computer", "one"}, "--computer takes player numbers from 1 to 4 with commas between, not \"one\""},
        {{"--colour", "mivo"}, "unknown option \"--colour\""},
        {{"-x"}, "unknown option \"-x\""},
        {{"-"}, "unknown option \"-\""},
        {{"--one-button=yes"}, "unknown option \"--one-button=yes\""},
    };
    // The messages hold no regular-expression characters.
    for (const Case &c : cases)
        EXPECT_EXIT(parse(c.args), testing::ExitedWithCode(2),
                    std::string("^boardgame: ") + c.message + "\nUsage: boardgame \\[--players N\\]")
            << c.message;
}

TEST(Options, HelpAndVersionEndWithStatusZero)
{
    EXPECT_EXIT(
        {
            dup2(2, 1);
            parse({"--players", "3", "--help", "mivo"});
        },
        testing::ExitedWithCode(0), "^Usage: boardgame \\[--players N\\](.|\n)*--speak +say the game aloud");
    EXPECT_EXIT(
        {
            dup2(2, 1);
            parse({"--version"});
        },
        testing::ExitedWithCode(0), "^boardgame [0-9]+\\.[0-9]+\\.[0-9]+\n$");
}

} // namespace
