// The chooser's highlight.
#include "choice.h"

#include <algorithm>

int wrap_index(int index, int count)
{
    if (count <= 0)
        return 0;
    int wrapped = index % count;
    return wrapped < 0 ? wrapped + count : wrapped;
}

ChoiceState choice_start(int count, int highlight, int scan_ms)
{
    ChoiceState state;
    state.count = std::max(count, 1);
    state.highlight = std::clamp(highlight, 0, state.count - 1);
    state.scan_ms = std::max(scan_ms, 0);
    state.scan_left_ms = state.scan_ms;
    return state;
}

ChoiceStep choice_input(ChoiceState &state, ChoiceInput input)
{
    switch (input) {
    case ChoiceInput::next:
    case ChoiceInput::previous:
        state.highlight = wrap_index(state.highlight + (input == ChoiceInput::next ? 1 : -1), state.count);
        state.scan_left_ms = state.scan_ms;
        return ChoiceStep::moved;
    case ChoiceInput::choose:
        return ChoiceStep::chosen;
    case ChoiceInput::back:
        return ChoiceStep::back;
    case ChoiceInput::none:
        break;
    }
    return ChoiceStep::none;
}

int choice_elapse(ChoiceState &state, int ms)
{
    if (state.scan_ms <= 0 || ms <= 0)
        return 0;
    int moves = 0;
    state.scan_left_ms -= ms;
    while (state.scan_left_ms <= 0) {
        state.highlight = wrap_index(state.highlight + 1, state.count);
        state.scan_left_ms += state.scan_ms;
        moves++;
    }
    return moves;
}

int choice_at(const std::vector<ChoiceRect> &rects, int x, int y)
{
    for (std::size_t i = 0; i < rects.size(); i++) {
        const ChoiceRect &r = rects[i];
        if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h)
            return int(i);
    }
    return -1;
}
