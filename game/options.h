// The game's command-line options.
#pragma once

#include "rules.h"

#include <array>

// What the options asked for.
struct Options {
    int players = 2;
    std::array<bool, MAX_PLAYERS> computer{};
    bool one_button = false;
    bool speak = false; // --speak: the game says its state aloud
};

extern Options options;

// Reads the options before the version name into `options` and returns the
// index in argv of the version argument (argc when there is none). "--"
// ends the options; the first other argument is the version.
int parse_options(int argc, char **argv);
