// The command-line rules the programs share, through the game's options:
// what each command line sets, where the version is found, and the usage
// errors, help and version that end the game before it starts.
#include "options.h"

#include <gtest/gtest.h>

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
        int win_status;
        std::string version;
    };
    const std::vector<Case> cases = {
        {{}, 1, 2, "0000", false, false, 1, "mivo"},
        {{"--players", "3", "lirou/"}, 3, 3, "0000", false, false, 1, "lirou"},
        {{"--computer", "2", "--players=3"}, 4, 3, "0100", false, false, 1, "mivo"},
        {{"--players", "4", "--computer=1,3,4", "--computer", "1"}, 6, 4, "1011", false, false, 1, "mivo"},
        {{"--one-button", "--speak", "v", "--players", "3"}, 3, 2, "0000", true, true, 1, "v"},
        {{"--", "--players"}, 2, 2, "0000", false, false, 1, "--players"},
        {{"--win-status", "0", "mivo"}, 3, 2, "0000", false, false, 0, "mivo"},
        {{"--win-status=1", "--", "-x", "y"}, 3, 2, "0000", false, false, 1, "-x"},
    };
    for (const Case &c : cases) {
        std::string name = c.args.empty() ? "" : c.args[0] + " ... (" + std::to_string(c.args.size()) + ")";
        EXPECT_EQ(parse(c.args), c.first) << name;
        EXPECT_EQ(options.end, OptionsEnd::GO_ON) << name;
        EXPECT_EQ(options.players, c.players) << name;
        for (int p = 0; p < MAX_PLAYERS; p++)
            EXPECT_EQ(options.computer[std::size_t(p)], c.computer[std::size_t(p)] == '1')
                << name << ", player " << p + 1;
        EXPECT_EQ(options.one_button, c.one_button) << name;
        EXPECT_EQ(options.speak, c.speak) << name;
        EXPECT_EQ(options.win_status, c.win_status) << name;
        EXPECT_EQ(options.version, c.version) << name;
    }
}

TEST(Options, TheFrontDoorsOptions)
{
    struct Case {
        std::vector<std::string> args;
        bool menu, fullscreen, version_given;
        int scan_ms, scale;
    };
    const std::vector<Case> cases = {
        {{}, false, false, false, DEFAULT_SCAN_MS, 1},
        {{"--menu", "--computer", "1,2", "mivo"}, true, false, true, DEFAULT_SCAN_MS, 1},
        {{"--menu", "--one-button", "--scan-ms", "800"}, true, false, false, 800, 1},
        {{"--scan-ms=200", "--scale", "4", "--fullscreen"}, false, true, false, 200, 4},
        {{"--scale=1", "--scan-ms", "60000", "v"}, false, false, true, 60000, 1},
    };
    for (const Case &c : cases) {
        std::string name = c.args.empty() ? "none" : c.args[0] + " (" + std::to_string(c.args.size()) + ")";
        parse(c.args);
        EXPECT_EQ(options.end, OptionsEnd::GO_ON) << name;
        EXPECT_EQ(options.menu, c.menu) << name;
        EXPECT_EQ(options.fullscreen, c.fullscreen) << name;
        EXPECT_EQ(options.version_given, c.version_given) << name;
        EXPECT_EQ(options.scan_ms, c.scan_ms) << name;
        EXPECT_EQ(options.scale, c.scale) << name;
    }
    for (const std::vector<std::string> &bad : std::vector<std::vector<std::string>>{
             {"--scale", "0"}, {"--scale", "5"}, {"--scale=2x"}, {"--scan-ms", "199"},
             {"--scan-ms", "60001"}, {"--scan-ms", "1e3"}, {"--scan-ms", "-5"}, {"--scan-ms="},
             {"--menu=1"}, {"--fullscreen=yes"}}) {
        testing::internal::CaptureStderr();
        parse(bad);
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(options.end, OptionsEnd::USAGE_ERROR) << bad[0] << " " << (bad.size() > 1 ? bad[1] : "");
        EXPECT_NE(said.find("boardgame: "), std::string::npos) << said;
    }
}

TEST(Options, UsageErrorsEndWithStatusTwo)
{
    const std::string players = "--players takes 2, 3 or 4, not ";
    const std::string computer = "--computer takes player numbers from 1 to 4 with commas between, not ";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--players", "5", "mivo"}, players + "\"5\""},
        {{"--players=", "mivo"}, players + "\"\""},
        {{"--players", "--speak"}, players + "\"--speak\""},
        {{"--players"}, "--players needs a value"},
        {{"--computer", "3"}, "--computer 3: there are only 2 players"},
        {{"--computer", "4", "--players", "3"}, "--computer 4: there are only 3 players"},
        {{"--computer", "0"}, computer + "\"0\""},
        {{"--computer", "1,,2"}, computer + "\"1,,2\""},
        {{"--win-status", "2"}, "--win-status takes 0 or 1, not \"2\""},
        {{"-x", "mivo"}, "unknown option \"-x\""},
        {{"--speak=yes"}, "unknown option \"--speak=yes\""},
        {{"--players", "9", "--help"}, players + "\"9\""},
    };
    for (const auto &[args, message] : cases) {
        testing::internal::CaptureStderr();
        parse(args);
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(options.end, OptionsEnd::USAGE_ERROR) << message;
        EXPECT_EQ(options_status(options.end), 2) << message;
        EXPECT_EQ(err.rfind("boardgame: " + message + "\nUsage: boardgame [--menu] [--players N]", 0), 0u) << err;
    }
}

TEST(Options, HelpAndVersionEndWithStatusZero)
{
    struct Case {
        std::vector<std::string> args;
        OptionsEnd end;
        std::string out_start, out_holds;
    };
    const std::vector<Case> cases = {
        {{"--players", "3", "--help", "-x"}, OptionsEnd::HELP, "Usage: boardgame [--menu] [--players N]", "--speak             say the game aloud\n"},
        {{"--version"}, OptionsEnd::VERSION, "boardgame ", "."},
    };
    for (const Case &c : cases) {
        testing::internal::CaptureStdout();
        parse(c.args);
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(options.end, c.end) << out;
        EXPECT_EQ(options_status(options.end), 0);
        EXPECT_EQ(out.rfind(c.out_start, 0), 0u) << out;
        EXPECT_NE(out.find(c.out_holds), std::string::npos) << out;
    }
}

} // namespace
