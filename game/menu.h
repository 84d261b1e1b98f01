// The front door under --menu: the menu that sets up a game, and the win
// screen that offers the next one.
#pragma once

#include "outcome.h"

#include <string>

// Shows the menu in the window, its choices preset from `options` (the
// version named, or the default, is the chosen board and lit first): the
// boards of the working folder with a small picture and the language of the
// lit one, the number of players, a person or the computer for each,
// speaking, one button, full screen, Start and Quit. Choosing a board, a
// number or a switch changes it in `options` and the menu stays; Start
// returns go_on with `options` set for the game; Quit and Escape return
// quit_key, the close button quit_window.
Outcome run_menu();

// What the win screen's chooser chose.
enum class AfterWin { play_again, menu, quit };

// The win screen over the final board: `line` (the design's line for the
// winner, "Player 1 wins!") in large letters, then Play again, Menu and
// Quit. Escape goes back to the menu; the close button returns quit_window.
Outcome win_screen(const std::string &line, AfterWin &after);

// Draws the small picture of `version`'s board and its language tag in the
// menu's place for them, and updates them. A board is read and drawn small
// when it is lit and kept while it is among the last few lit; one that
// cannot be read shows why in the picture's place (the message Start prints).
void draw_board_picture(const std::string &version);

// The menu's words, LANG's language when the game knows its words, else
// English (menu_language).
std::string menu_words_language();
