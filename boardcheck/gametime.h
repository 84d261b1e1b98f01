// The expected time a whole game spends on animation and sound, besides the
// time the players take to roll.
#pragma once

#include "odds.h"

#include <array>

// How long the sounds last, in milliseconds; 0 for a sound the game cannot
// play (it then does not wait for it).
struct SoundTimes {
    std::array<double, MAX_PLAYERS> turn_ms{}; // each turn's start, per player
    std::array<double, MAX_PLAYERS> win_ms{};  // the winner's ending
    std::array<double, SQUARE_COUNT> note_ms{};    // the note of each start square
};

// Expected milliseconds per game, by what they are spent on.
struct GameTime {
    double turn_sounds = 0; // the turn sound, waited for before the die
    double walking = 0;     // 800 ms per square walked
    double slides = 0;      // 50 ms per slide frame, or the note sound where it
                            // lasts longer (the turn waits for it after the slide)
    double win_sound = 0;   // the winner's sound, waited for before the end
    double total() const { return turn_sounds + walking + slides + win_sound; }
};

// The expectation over the game's turns as `odds` weighs them (turns_from and
// the win probabilities); a trap or cut-off leaves out what was not followed.
GameTime expected_game_time(const DestTable &dest, const Odds &odds, const SoundTimes &sounds);
