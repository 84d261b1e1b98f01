// The compiled-in pictures of the game as XPM string arrays; the sources
// beside this header are written by tools/make_images.py, not by hand.
#pragma once

extern const char *const board_xpm[];   // 480 x 480 checkerboard of 48-pixel squares
extern const char *const die_xpm[];     // 288 x 48: six die faces, 1 to 6 pips
extern const char *const letters_xpm[]; // 370 x 12: A-Z, an empty cell, 0-9
extern const char *const icon1_xpm[];   // 20 x 20 red pawn on black
extern const char *const icon2_xpm[];   // 20 x 20 blue pawn on black
extern const char *const icon3_xpm[];   // 20 x 20 green pawn, dark rim, on black
extern const char *const icon4_xpm[];   // 20 x 20 yellow pawn, dark rim, on black
extern const char *const ladder1_xpm[]; // 20 x 24: rails, then one rung piece
extern const char *const chute1_xpm[];  // 20 x 1: one cross-section of a chute
