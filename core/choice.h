// The highlight of a chooser, without a display: which item is lit, what a
// key or a press does to it, and when a scan moves it on by itself. The
// game's chooser (game/chooser.h) draws it and reads the events.
#pragma once

#include <vector>

constexpr int DEFAULT_SCAN_MS = 1500; // one button: the highlight moves on this often
constexpr int MIN_SCAN_MS = 200;
constexpr int MAX_SCAN_MS = 60000;

// What one event asks of the chooser.
enum class ChoiceInput {
    none,     // nothing for the chooser
    next,     // an arrow down or right, Tab
    previous, // an arrow up or left
    choose,   // Enter or Space; under scanning any key, mouse or joystick button
    back,     // Escape
};

// What became of the highlight.
enum class ChoiceStep {
    none,   // unchanged
    moved,  // it lights another item (or the same one again, when there is one)
    chosen, // its item is chosen
    back,   // the chooser is left without a choice
};

struct ChoiceState {
    int count = 0;        // items, at least 1
    int highlight = 0;    // 0 to count - 1
    int scan_ms = 0;      // 0: no scanning; else the highlight moves on every scan_ms
    int scan_left_ms = 0; // until the next move of the scan
};

// A chooser over `count` items lighting `highlight` (brought into range),
// scanning every `scan_ms` when it is above 0.
ChoiceState choice_start(int count, int highlight, int scan_ms);

// `index` brought round into 0 to count - 1: one past the last is the first,
// one before the first the last.
int wrap_index(int index, int count);

// Applies one input. Moving restarts the scan's period, so the highlight
// rests a whole period on the item a key moved it to.
ChoiceStep choice_input(ChoiceState &state, ChoiceInput input);

// Lets `ms` pass: under scanning the highlight moves on once for every whole
// period that ends, wrapping after the last item. Returns how many moves.
int choice_elapse(ChoiceState &state, int ms);

// Where an item is drawn.
struct ChoiceRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// The item whose rectangle holds the point (x, y), the first when several
// do; -1 for none.
int choice_at(const std::vector<ChoiceRect> &rects, int x, int y);
