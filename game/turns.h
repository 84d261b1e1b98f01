// One player's turn: prompt, turn sound, roll, walk, ladder or chute, win test.
#pragma once

#include "outcome.h"

// Plays one turn of player index `which` (0 to 3): the prompt
// "Player %d - Roll the die", the turn sound awaited, the roll (by the space
// bar, by any button with --one-button, or by the computer for a player that
// options.computer names), a walk of one square per WALK_STEP_MS that stops
// on WIN_SQUARE (walk_steps), and on the start of a ladder or chute its note
// sound, square_sound_path of `location` (missing: only "Trying to play"), its
// note in the panel and the slide; one ladder or chute per turn at most.
// The panel is then cleared, the note sound awaited and released and the token
// set into its corner. Returns won when the token stands on WIN_SQUARE, else
// go_on; a quit (during the roll, and under the game's own options anywhere
// in the turn) ends the turn where it is and is returned. Under --speak the
// turn's phrases of speak.h come at their places: whose turn after the turn
// sound, the roll, the square reached before any note sound, the ladder's or
// chute's end after it.
Outcome take_turn(int which);

// The design's form of the turn: 1 when the token stands on WIN_SQUARE, else
// 0 (also when the game was quit).
int player_turn(int which);
