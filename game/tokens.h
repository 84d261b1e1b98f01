// The player tokens: their records, their corners and their redraw.
#pragma once

#include "geometry.h"

#include <SDL.h>

#include <array>

// One token.
struct Player {
    int square;        // 0 to 99; changed only by the turn
    SDL_Surface *icon; // its picture, kept for the whole run
    SDL_Rect src;      // the part of icon drawn: always (0, 0, 20, 20)
    SDL_Rect dest;     // where it is drawn: its corner of a square, or where
                       // a slide has left it
};

// The players in this game, 2 to 4 (PLAYERS unless --players says otherwise);
// set before setup_players and never changed after it.
extern int player_count;

// Index 0 is "Player 1" (red), 1 "Player 2" (blue), 2 "Player 3" (green),
// 3 "Player 4" (yellow); only the first player_count are in the game.
extern std::array<Player, MAX_PLAYERS> player;

// Makes the player_count tokens, puts them on square 0 (printing set_dest's
// line for each, index 0 first) and draws them over the board already on the
// screen.
void setup_players();

// Puts token `which` (0 to 3) into its corner of `square` (0 to 99): +4, +4
// for index 0, +24, +24 for 1, +4, +24 for 2, +24, +4 for 3, and prints
// "Player %d is set to (%d, %d) w = %d  h = %d" with the index. Leaves
// player[which].square alone.
void set_dest(int which, int square);

// Repairs `r` on the screen from the board, draws every token at its dest in
// index order and updates exactly r and the player_count token rectangles.
void redraw_tokens(SDL_Rect r);

// Draws token `which` at `at` on the screen without updating the display.
void draw_token(int which, SDL_Rect at);
