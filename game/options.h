// The game's command-line options: how many play, whom the computer plays,
// the one-button die, the spoken game, the version and the status of a win.
#pragma once

#include "choice.h"
#include "cmdline.h"
#include "rules.h"

#include <array>
#include <string>

constexpr int MAX_SCALE = 4;

// What the command line asked for; the defaults are the two-player game of
// two children at the space bar.
struct Options {
    int players = PLAYERS;                    // 2 to 4
    std::array<bool, MAX_PLAYERS> computer{}; // by player index: the computer rolls
    bool one_button = false;                  // any key, mouse or joystick button
                                              // released stops the die
    bool speak = false;                       // say the game aloud
    bool menu = false;                        // start at the menu; the win stays
    int scan_ms = DEFAULT_SCAN_MS;            // one button: the chooser's scan period
    bool fullscreen = false;                  // the window fills the screen
    int scale = 1;                            // the window's size, 1 to 4 times 640 x 480
    bool version_given = false;               // a version was named (the menu lights it)
    int win_status = 1;                       // the process's status after a win
                                              // (kept: see QUIRKS.md, 'win is 1')
    std::string version = DEFAULT_VERSION;    // the version played: the first
                                              // argument that is not an option
    OptionsEnd end = OptionsEnd::GO_ON;       // how reading the options ended
};

extern Options options;

// Reads the options in front of the version into `options` and returns the
// index in argv of the first argument that is not an option (argc when there
// is none: the game then plays its default version); "--" ends the options
// and is skipped. "--players N" and "--players=N" alike. --help prints the
// usage on standard output and --version "boardgame <version>"; an unknown
// option, a missing or bad value, or a --computer player above the number of
// players prints "boardgame: <what is wrong>" and the usage on standard
// error. Nothing ends the process here: when `options.end` is not GO_ON the
// game ends before anything starts, with options_status(options.end).
int parse_options(int argc, char **argv);
