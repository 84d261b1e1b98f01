// The game's command-line options.
#include "options.h"

#include "paths.h"

#include <cstdio>
#include <string>
#include <vector>

Options options;

static std::string usage()
{
    return std::string("Usage: boardgame [--menu] [--players N] [--computer P[,P...]] [--one-button] [--speak]\n"
                       "                 [--scan-ms MS] [--fullscreen] [--scale N] [version]\n"
                       "  --menu              start at the menu (the options preset its choices);\n"
                       "                      after a win: Play again, Menu or Quit\n"
                       "  --players N         N players, 2 to 4 (default 2)\n"
                       "  --computer P[,P...] the computer plays these players (each 1 to N)\n"
                       "  --one-button        releasing any key, mouse button or joystick button\n"
                       "                      stops the die\n"
                       "  --speak             say the game aloud\n"
                       "  --scan-ms MS        with one button, the menu's highlight moves on every\n"
                       "                      MS milliseconds (200 to 60000, default 1500)\n"
                       "  --fullscreen        fill the screen (F11 switches at any time)\n"
                       "  --scale N           a window N times 640 x 480, N 1 to 4 (default 1)\n"
                       "  --win-status N      the game's status after a win, 0 or 1 (default 1)\n"
                       "  --help, --version\n"
                       "Without a version the game plays ") +
           DEFAULT_VERSION + ". Escape or closing the window quits.\n";
}

static std::string read_players(const std::string &text)
{
    int n = option_digit(text);
    if (n < 2 || n > MAX_PLAYERS)
        return "--players takes 2, 3 or 4, not \"" + text + "\"";
    options.players = n;
    return "";
}

// The player numbers of a comma-separated list, each checked for 1 to 4,
// added to `numbers`.
static std::string read_computer(const std::string &text, std::vector<int> &numbers)
{
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(',', start);
        std::string item = text.substr(start, comma == std::string::npos ? comma : comma - start);
        int n = option_digit(item);
        if (n < 1 || n > MAX_PLAYERS)
            return "--computer takes player numbers from 1 to 4 with commas between, not \"" + text + "\"";
        numbers.push_back(n);
        if (comma == std::string::npos)
            return "";
        start = comma + 1;
    }
}

static std::string read_win_status(const std::string &text)
{
    int n = option_digit(text);
    if (n != 0 && n != 1)
        return "--win-status takes 0 or 1, not \"" + text + "\"";
    options.win_status = n;
    return "";
}

static std::string read_scan_ms(const std::string &text)
{
    int ms = text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos
                 ? -1
                 : std::stoi(text);
    if (ms < MIN_SCAN_MS || ms > MAX_SCAN_MS)
        return "--scan-ms takes " + std::to_string(MIN_SCAN_MS) + " to " + std::to_string(MAX_SCAN_MS) +
               " milliseconds, not \"" + text + "\"";
    options.scan_ms = ms;
    return "";
}

static std::string read_scale(const std::string &text)
{
    int n = option_digit(text);
    if (n < 1 || n > MAX_SCALE)
        return "--scale takes 1, 2, 3 or 4, not \"" + text + "\"";
    options.scale = n;
    return "";
}

// Once every option is read, as --computer may come before --players.
static std::string check_computer(const std::vector<int> &numbers)
{
    for (int n : numbers) {
        if (n > options.players)
            return "--computer " + std::to_string(n) + ": there are only " +
                   std::to_string(options.players) + " players";
        options.computer[std::size_t(n - 1)] = true;
    }
    return "";
}

static void usage_error(const std::string &fault)
{
    std::fprintf(stderr, "boardgame: %s\n%s", fault.c_str(), usage().c_str());
    options.end = OptionsEnd::USAGE_ERROR;
}

int parse_options(int argc, char **argv)
{
    std::vector<int> computer;
    const std::vector<OptionRow> table = {
        {"--players", true, read_players},
        {"--computer", true, [&](const std::string &text) { return read_computer(text, computer); }},
        {"--one-button", false, [](const std::string &) { options.one_button = true; return std::string(); }},
        {"--speak", false, [](const std::string &) { options.speak = true; return std::string(); }},
        {"--win-status", true, read_win_status},
        {"--menu", false, [](const std::string &) { options.menu = true; return std::string(); }},
        {"--scan-ms", true, read_scan_ms},
        {"--fullscreen", false, [](const std::string &) { options.fullscreen = true; return std::string(); }},
        {"--scale", true, read_scale},
    };
    OptionsRead read = read_options(argc, argv, table);
    options.end = read.end;
    if (read.end == OptionsEnd::HELP)
        std::fputs(usage().c_str(), stdout);
    else if (read.end == OptionsEnd::VERSION)
        std::puts(version_line("boardgame").c_str());
    else if (read.end == OptionsEnd::USAGE_ERROR)
        usage_error(read.fault);
    else if (std::string fault = check_computer(computer); !fault.empty())
        usage_error(fault);
    options.version_given = read.first < argc;
    options.version = version_name(read.first < argc ? argv[read.first] : DEFAULT_VERSION);
    return read.first;
}
