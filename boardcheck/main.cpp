// The entry of boardcheck: a board author's check of one version, or a
// picture of its board.
#include "cmdline.h"
#include "paths.h"
#include "picture.h"
#include "report.h"
#include "rules.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

constexpr const char *USAGE =
    "Usage: boardcheck <version>                  check a version: its problems, voices and odds\n"
    "       boardcheck --players N <version>      the same, its odds and times for N players (2 to 4)\n"
    "       boardcheck --picture FILE.png <version>  write its board as the game draws it\n"
    "       boardcheck --help, --version\n"
    "\"--\" ends the options: a version may then be named like one (-- -x).\n"
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

// Where the options send the run: -1 to check `version`, else the status.
static int read_command_line(int argc, char **argv, int &players, std::string &picture,
                             std::string &version)
{
    bool help = false;
    const std::vector<OptionRow> table = {
        {"--players", true, [&](const std::string &text) {
             players = option_digit(text);
             return players >= 2 && players <= MAX_PLAYERS ? "" : "--players takes 2, 3 or 4, not \"" + text + "\"";
         }},
        {"--picture", true, [&](const std::string &file) { picture = file; return std::string(); }},
        {"-h", false, [&](const std::string &) { help = true; return std::string(); }},
    };
    OptionsRead read = read_options(argc, argv, table);
    if (read.end == OptionsEnd::HELP || (help && read.end == OptionsEnd::GO_ON)) {
        std::cout << USAGE << "\n";
        return flushed(STATUS_CLEAN);
    }
    if (read.end == OptionsEnd::VERSION) {
        std::cout << version_line("boardcheck") << "\n";
        return flushed(STATUS_CLEAN);
    }
    std::string fault = read.fault;
    if (read.end == OptionsEnd::GO_ON && argc - read.first != 1)
        fault = argc == read.first ? "name the version to check" : "one version at a time";
    if (!fault.empty()) {
        std::cerr << "boardcheck: " << fault << "\n" << USAGE << "\n";
        return STATUS_USAGE;
    }
    version = version_name(argv[read.first]);
    return -1;
}

int main(int argc, char **argv)
{
    std::ios::sync_with_stdio(true);
    int players = PLAYERS;
    std::string picture, version;
    int status = read_command_line(argc, argv, players, picture, version);
    if (status >= 0)
        return status;
    if (!picture.empty()) {
        if (write_board_picture(version, picture, std::cerr) != 0)
            return STATUS_USAGE;
        std::cout << "Wrote the board of " << version << " to " << picture << "\n";
        return flushed(STATUS_CLEAN);
    }
    return flushed(boardcheck(version, std::cout, std::cerr, players));
}
