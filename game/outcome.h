// How a stretch of the game ended: the game goes on, a token won, or the
// player quit. Only main ends the process; everything below it returns one
// of these, and what ends the game is handed up to it.
#pragma once

#include <string>

enum class Outcome {
    go_on,       // nothing ended: carry on
    won,         // a token stands on 99
    quit_key,    // Escape released
    quit_window, // the window's close button, or a signal to end
};

// What stopped the game from starting: the words to print, where, and the
// status the process ends with.
struct Failure {
    int status = 1;
    std::string message;    // printed as it stands, line ends included
    bool on_stdout = false; // some of the design's messages go to standard output
};
