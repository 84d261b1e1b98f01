// The two player tokens: their records, their corners and their redraw.
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

// Index 0 is "Player 1" (red), index 1 "Player 2" (blue).
extern std::array<Player, PLAYERS> player;
extern int player_count; // the players in this game

// Makes both tokens, puts them on square 0 (printing set_dest's two lines)
// and draws them over the board already on the screen.
void setup_players();

// Puts token `which` (0 or 1) into its corner of `square` (0 to 99): +4, +4
// for index 0, +24, +24 for index 1, and prints "Player %d is set to (%d, %d)
// w = %d  h = %d" with the index. Leaves player[which].square alone.
void set_dest(int which, int square);

// Repairs `r` on the screen from the board, draws both tokens at their dest
// (Player 2's last) and updates exactly r and the two token rectangles.
void redraw_tokens(SDL_Rect r);

// Draws token `which` at `at` on the screen without updating the display.
void draw_token(int which, SDL_Rect at);
