// The entry of boardcheck: a board author's check of one version, or a
// picture of its board.
#include "paths.h"
#include "picture.h"
#include "report.h"
#include "rules.h"

#include <cstdio>
#include <iostream>
#include <string>

constexpr const char *USAGE =
    "Usage: boardcheck <version>                  check a version: its problems, voices and odds\n"
    "       boardcheck --players N <version>      the same, its odds and times for N players (2 to 4)\n"
    "       boardcheck --picture FILE.png <version>  write its board as the game draws it\n"
    "Run it in the folder that holds ./<version>/ (data/ in a checkout).\n"
    "Status: 0 no problems, 1 problems listed, 2 usage, no version file or no\n"
    "picture written, 3 the report could not be written.";

// Standard output in full, or STATUS_OUTPUT with a message (a full disk).
static int flushed(int status)
{
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    std::cerr << "boardcheck: cannot write the report to standard output\n";
    return STATUS_OUTPUT;
}

// The number of players written as one digit from 2 to 4, or -1.
static int players_of(const std::string &text)
{
    if (text.size() != 1 || text[0] < '2' || text[0] > '0' + MAX_PLAYERS)
        return -1;
    return text[0] - '0';
}

int main(int argc, char **argv)
{
    std::ios::sync_with_stdio(true);
    // "--" before the version ends the options: a version may be named "-x"
    // (mended: see QUIRKS.md, 'names like options').
    bool ended = argc >= 3 && std::string(argv[argc - 2]) == "--";
    if (ended) {
        argv[argc - 2] = argv[argc - 1];
        argc--;
    }
    if (argc == 2 && !ended && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << USAGE << "\n";
        return flushed(STATUS_CLEAN);
    }
    if (argc == 4 && std::string(argv[1]) == "--picture") {
        std::string version = version_name(argv[3]);
        if (write_board_picture(version, argv[2], std::cerr) != 0)
            return STATUS_USAGE;
        std::cout << "Wrote the board of " << version << " to " << argv[2] << "\n";
        return flushed(STATUS_CLEAN);
    }
    // "--players N" or "--players=N", as the game takes them (mended: see
    // QUIRKS.md, 'players spelled alike').
    int players = PLAYERS;
    const std::string first = argc >= 2 ? argv[1] : "";
    const std::string joined = "--players=";
    int taken = argc == 4 && first == "--players"                         ? 2
                : argc == 3 && first.compare(0, joined.size(), joined) == 0 ? 1
                                                                            : 0;
    if (taken > 0) {
        std::string value = taken == 2 ? std::string(argv[2]) : first.substr(joined.size());
        players = players_of(value);
        if (players < 0) {
            std::cerr << "boardcheck: --players takes 2, 3 or 4, not \"" << value << "\"\n"
                      << USAGE << "\n";
            return STATUS_USAGE;
        }
        argc -= taken;
        argv += taken;
    }
    if (argc != 2 || (argv[1][0] == '-' && !ended)) {
        std::cerr << USAGE << "\n";
        return STATUS_USAGE;
    }
    return flushed(boardcheck(version_name(argv[1]), std::cout, std::cerr, players));
}
