// The game's command-line options.
#include "options.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

Options options;

static std::string usage()
{
    return std::string("Usage: boardgame [--players N] [--computer P[,P...]] [--one-button] [--speak] [version]\n"
                       "  --players N         N players, 2 to 4 (default 2)\n"
                       "  --computer P[,P...] the computer plays these players (each 1 to N)\n"
                       "  --one-button        releasing any key, mouse button or joystick button\n"
                       "                      stops the die\n"
                       "  --speak             say the game aloud\n"
                       "  --help, --version\n"
                       "Without a version the game plays ") +
           DEFAULT_VERSION + ". Escape or closing the window quits.\n";
}

[[noreturn]] static void usage_error(const std::string &fault)
{
    std::fprintf(stderr, "boardgame: %s\n%s", fault.c_str(), usage().c_str());
    std::exit(2);
}

// A number written as one digit, or -1.
static int digit(const std::string &text)
{
    return text.size() == 1 && text[0] >= '0' && text[0] <= '9' ? text[0] - '0' : -1;
}

// The value of option `name` at argv[i], given as "name=VALUE" or as the next
// argument (then i moves on to it).
static std::string option_value(int argc, char **argv, int &i, const std::string &name)
{
    std::string arg = argv[i];
    if (arg.size() > name.size())
        return arg.substr(name.size() + 1);
    if (i + 1 >= argc)
        usage_error(name + " needs a value");
    return argv[++i];
}

static int read_players(const std::string &text)
{
    int n = digit(text);
    if (n < 2 || n > MAX_PLAYERS)
        usage_error("--players takes 2, 3 or 4, not \"" + text + "\"");
    return n;
}

// The player numbers of a comma-separated list, each checked for 1 to 4.
static std::vector<int> read_computer(const std::string &text)
{
    std::vector<int> numbers;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(',', start);
        std::string item = text.substr(start, comma == std::string::npos ? comma : comma - start);
        int n = digit(item);
        if (n < 1 || n > MAX_PLAYERS)
            usage_error("--computer takes player numbers from 1 to 4 with commas between, not \"" +
                        text + "\"");
        numbers.push_back(n);
        if (comma == std::string::npos)
            return numbers;
        start = comma + 1;
    }
}

// Whether argv[i] is option `name`, alone or as "name=VALUE".
static bool is_option(const std::string &arg, const std::string &name, bool takes_value)
{
    return arg == name || (takes_value && arg.compare(0, name.size() + 1, name + "=") == 0);
}

int parse_options(int argc, char **argv)
{
    std::vector<int> computer;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; i++) {
        std::string arg = argv[i];
        if (arg == "--") {
            i++;
            break;
        }
        if (is_option(arg, "--players", true))
            options.players = read_players(option_value(argc, argv, i, "--players"));
        else if (is_option(arg, "--computer", true))
            for (int n : read_computer(option_value(argc, argv, i, "--computer")))
                computer.push_back(n);
        else if (arg == "--one-button")
            options.one_button = true;
        else if (arg == "--speak")
            options.speak = true;
        else if (arg == "--help") {
            std::fputs(usage().c_str(), stdout);
            std::exit(0);
        } else if (arg == "--version") {
            std::puts("boardgame " VARNOWICK_VERSION);
            std::exit(0);
        } else
            usage_error("unknown option \"" + arg + "\"");
    }
    // Checked once every option is read: --computer may come before --players.
    for (int n : computer) {
        if (n > options.players)
            usage_error("--computer " + std::to_string(n) + ": there are only " +
                        std::to_string(options.players) + " players");
        options.computer[n - 1] = true;
    }
    return i;
}
