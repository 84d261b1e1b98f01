// One player's turn: prompt, turn sound, roll, walk, ladder or chute, win test.
#pragma once

// Plays one turn of player index `which` (0 or 1) on `screen`: the prompt
// "Player %d - Roll the die", the turn sound awaited, the roll, a walk of one
// square per 800 ms that stops on 99, and on the start of a ladder or chute
// its note sound "./<location>/squareNN.wav" (missing: only "Trying to play"),
// its note in the panel and the slide; one ladder or chute per turn at most.
// The panel is then cleared, the note sound awaited and released and the token
// set into its corner. Returns 1 when the token stands on 99, else 0. Never
// returns when the player quits during the roll. Under --speak the turn's
// phrases of speak.h come at their places: whose turn after the turn sound,
// the roll, the square reached before any note sound, the ladder's or
// chute's end after it.
int player_turn(int which);
