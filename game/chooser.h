// The one chooser: a few items on the screen, one of them lit, and the
// player picks one. The menu, the win screen and any other choice of the
// game go through choose().
//
// Keys: the arrows and Tab move the highlight (Shift+Tab back), Enter or
// Space chooses, Escape goes back; a click or touch on an item chooses it; a
// joystick button chooses the lit item. With scanning (one button) the
// highlight moves on by itself every scan period and any key, mouse button or
// joystick button chooses the lit item; Escape still goes back. F11 toggles
// full screen. Keys and buttons act when released, so that what chose here
// never reaches the die afterwards. Each time an item is lit (the first one
// too) "Menu: <its words>" is printed, and said under speak_choices.
#pragma once

#include "outcome.h"
#include "sayings.h"

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

// One thing to choose.
struct ChoiceItem {
    std::string words;   // drawn in the item and printed on "Menu: " lines
    Phrase said;         // what is said when it is lit; no clips: nothing is said
    std::string version; // a version whose say/ folder has clips of it ("" for none)
    SDL_Rect rect{};     // where it is drawn, and where a click chooses it
};

struct ChooserSettings {
    int scan_ms = 0; // above 0: one button, the highlight moves on this often
    bool number_keys = false; // keys 1 to 9, the keypad's too, choose that item at
                              // once (not while scanning, when any key chooses)
    // Called with the lit item's index after the items are drawn, each time
    // the highlight moves: the caller draws what goes with it (the menu, the
    // picture of the lit board). It updates what it draws itself.
    std::function<void(int)> lit;
    // Whether an item is on view (null: all are). Items off view have an
    // empty rect: they are neither drawn nor clicked.
    std::function<bool(int)> shown;
    // F11, once it has switched the screen, ends the choice as `again`: for
    // a caller whose items show whether the screen is full.
    bool again_after_f11 = false;
};

// How a choice ended: go_on with the index chosen; quit_key (index -1) when
// Escape went back; quit_window (index -1) when the window was closed or the
// process asked to end.
// When the highlight moves onto an item that is not shown (before it is lit
// or printed), or F11 switched the screen under again_after_f11, choose()
// returns go_on with chosen -1 and the lit item in `again`: the caller lays
// the items out again, that one on view, and chooses anew from it.
struct Choice {
    Outcome outcome = Outcome::go_on;
    int chosen = -1;
    int again = -1;
};

// Draws the items (the one at `highlight` lit) over what is on the screen,
// and lets the player choose. Waits through game_wait, so the window is
// watched throughout.
Choice choose(const std::vector<ChoiceItem> &items, int highlight, const ChooserSettings &settings);

// With one button a joystick's or gamepad's buttons choose, and stop the
// die: opens every one there is, once a run (the game opens none without
// one button). A machine without them plays on keys and mouse; should the
// subsystem fail, one line on standard error says so.
void open_joysticks();

// Draws one item, lit or not, and updates its rectangle.
void draw_choice_item(const ChoiceItem &item, bool lit);

// Writes `text` in the panel font enlarged `scale` times (each pixel a
// scale x scale block), its top left at (x, y), clipped to `clip`; returns
// its width in pixels. Does not update the display.
int draw_big_text(int x, int y, const std::string &text, int scale, SDL_Color colour, SDL_Rect clip);

// The width in pixels of `text` written at `scale`.
int big_text_width(const std::string &text, int scale);
