// The one chooser: drawing its items, reading the keys and buttons, scanning.
#include "chooser.h"

#include "choice.h"
#include "note.h"
#include "panel.h"
#include "screen.h"
#include "speak.h"
#include "utf8.h"
#include "wait.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int CHOOSER_FRAME_MS = 50; // how often the chooser looks at the window
constexpr int ITEM_PAD = 8;          // the words' distance from the item's left edge
constexpr int ITEM_FRAME = 2;

constexpr SDL_Color ITEM_FILL = {24, 40, 96, 0};
constexpr SDL_Color LIT_FILL = {250, 210, 40, 0};
constexpr SDL_Color ITEM_WORDS = {255, 255, 255, 0};
constexpr SDL_Color LIT_WORDS = {16, 16, 16, 0};
constexpr SDL_Color LIT_FRAME = {255, 255, 255, 0};

// What a released key asks of the chooser.
ChoiceInput key_input(const SDL_KeyboardEvent &key, bool scanning)
{
    SDLKey sym = key.keysym.sym;
    if (sym == SDLK_ESCAPE)
        return ChoiceInput::back;
    if (scanning)
        return ChoiceInput::choose;
    switch (sym) {
    case SDLK_UP:
    case SDLK_LEFT:
        return ChoiceInput::previous;
    case SDLK_DOWN:
    case SDLK_RIGHT:
        return ChoiceInput::next;
    case SDLK_TAB:
        return (key.keysym.mod & KMOD_SHIFT) != 0 ? ChoiceInput::previous : ChoiceInput::next;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE:
        return ChoiceInput::choose;
    default:
        return ChoiceInput::none;
    }
}

// The item that number key `sym` (1 to 9, or the keypad's) names among
// `count`, or -1.
int number_key(SDLKey sym, int count)
{
    int n = sym >= SDLK_1 && sym <= SDLK_9     ? sym - SDLK_1
            : sym >= SDLK_KP1 && sym <= SDLK_KP9 ? sym - SDLK_KP1
                                                 : -1;
    return n < count ? n : -1;
}

// Prints, says and shows what is lit.
void light(const std::vector<ChoiceItem> &items, int index, const ChooserSettings &settings)
{
    const ChoiceItem &item = items[std::size_t(index)];
    // A board's title or an answer's control bytes are shown, not sent to
    // the terminal.
    std::printf("Menu: %s\n", terminal_text(item.words).c_str());
    std::fflush(stdout);
    speak_lit(item.said, item.version);
    if (settings.lit)
        settings.lit(index);
}

} // namespace

void open_joysticks()
{
    static bool opened = false;
    if (opened)
        return;
    opened = true;
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == -1) {
        std::fprintf(stderr, "boardgame: no joystick buttons: %s\n", SDL_GetError());
        return;
    }
    for (int i = 0; i < SDL_NumJoysticks(); i++)
        if (SDL_JoystickOpen(i) == nullptr)
            std::fprintf(stderr, "boardgame: cannot open joystick %d: %s\n", i, SDL_GetError());
    SDL_JoystickEventState(SDL_ENABLE);
}

int big_text_width(const std::string &text, int scale)
{
    return int(character_count(text)) * PANEL_FONT_W * scale;
}

int draw_big_text(int x, int y, const std::string &text, int scale, SDL_Color colour, SDL_Rect clip)
{
    int width = big_text_width(text, 1);
    if (screen == nullptr || width == 0 || scale < 1)
        return 0;
    // The words at their own size on a scratch surface, then each of their
    // pixels as a block: the font's letters, large and sharp.
    SurfacePtr small(SDL_CreateRGBSurface(SDL_SWSURFACE, width, PANEL_FONT_H, 32, 0x00FF0000,
                                          0x0000FF00, 0x000000FF, 0));
    if (small == nullptr)
        return 0;
    SDL_FillRect(small.get(), nullptr, 0);
    SDL_Color drawn = {255, 255, 255, 0};
    draw_text_line(small.get(), 0, 0, text, drawn);
    Uint32 ink = screen_colour(colour);
    SDL_Rect old_clip;
    SDL_GetClipRect(screen, &old_clip);
    SDL_SetClipRect(screen, &clip);
    if (SDL_LockSurface(small.get()) == 0) {
        for (int row = 0; row < PANEL_FONT_H; row++) {
            const Uint32 *pixels =
                reinterpret_cast<const Uint32 *>(static_cast<const Uint8 *>(small->pixels) + row * small->pitch);
            for (int col = 0; col < width; col++)
                if (pixels[col] != 0) {
                    SDL_Rect block{Sint16(x + col * scale), Sint16(y + row * scale), Uint16(scale),
                                   Uint16(scale)};
                    SDL_FillRect(screen, &block, ink);
                }
        }
        SDL_UnlockSurface(small.get());
    }
    SDL_SetClipRect(screen, &old_clip);
    return width * scale;
}

void draw_choice_item(const ChoiceItem &item, bool lit)
{
    SDL_Rect r = item.rect;
    if (r.w == 0 || r.h == 0) // off view
        return;
    SDL_FillRect(screen, &r, screen_colour(lit ? LIT_FRAME : ITEM_FILL));
    SDL_Rect inner{Sint16(r.x + ITEM_FRAME), Sint16(r.y + ITEM_FRAME), Uint16(std::max(r.w - 2 * ITEM_FRAME, 0)),
                   Uint16(std::max(r.h - 2 * ITEM_FRAME, 0))};
    SDL_FillRect(screen, &inner, screen_colour(lit ? LIT_FILL : ITEM_FILL));
    // As large as the item's height allows, two times at least where it fits,
    // and no larger than lets the words show whole across it.
    int across = big_text_width(item.words, 1);
    int scale = (int(r.h) - 2 * ITEM_FRAME - 4) / PANEL_FONT_H;
    if (across > 0)
        scale = std::min(scale, (int(r.w) - 2 * ITEM_PAD) / across);
    scale = std::max(scale, 1);
    int y = r.y + (int(r.h) - PANEL_FONT_H * scale) / 2;
    draw_big_text(r.x + ITEM_PAD, y, item.words, scale, lit ? LIT_WORDS : ITEM_WORDS, inner);
    SDL_UpdateRect(screen, r.x, r.y, r.w, r.h);
}

Choice choose(const std::vector<ChoiceItem> &items, int highlight, const ChooserSettings &settings)
{
    Choice choice;
    if (items.empty())
        return choice;
    const bool scanning = settings.scan_ms > 0;
    ChoiceState state = choice_start(int(items.size()), highlight, settings.scan_ms);
    std::vector<ChoiceRect> rects;
    for (const ChoiceItem &item : items)
        rects.push_back(ChoiceRect{item.rect.x, item.rect.y, item.rect.w, item.rect.h});
    for (std::size_t i = 0; i < items.size(); i++)
        draw_choice_item(items[i], int(i) == state.highlight);
    light(items, state.highlight, settings);
    // Lights the highlight in place of `was`; false when it is off view.
    auto move_to = [&](int was) {
        if (settings.shown && !settings.shown(state.highlight)) {
            choice.again = state.highlight;
            return false;
        }
        draw_choice_item(items[std::size_t(was)], false);
        draw_choice_item(items[std::size_t(state.highlight)], true);
        light(items, state.highlight, settings);
        return true;
    };
    Uint32 then = SDL_GetTicks();
    for (;;) {
        SDL_Event event;
        while (SDL_PollEvent(&event) == 1) {
            int was = state.highlight;
            ChoiceStep step = ChoiceStep::none;
            if (event.type == SDL_QUIT) {
                choice.outcome = Outcome::quit_window;
                return choice;
            }
            if (event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_F11) {
                if (toggle_full_screen() && settings.again_after_f11) {
                    choice.again = state.highlight;
                    return choice;
                }
            } else if (event.type == SDL_KEYUP && settings.number_keys && !scanning &&
                       number_key(event.key.keysym.sym, int(items.size())) >= 0) {
                state.highlight = number_key(event.key.keysym.sym, int(items.size()));
                step = ChoiceStep::chosen;
            } else if (event.type == SDL_KEYUP) {
                step = choice_input(state, key_input(event.key, scanning));
            } else if (event.type == SDL_MOUSEBUTTONUP && !is_wheel(event.button.button)) {
                int at = scanning ? state.highlight : choice_at(rects, event.button.x, event.button.y);
                if (at >= 0) {
                    state.highlight = at;
                    step = ChoiceStep::chosen;
                }
            } else if (event.type == SDL_JOYBUTTONUP) {
                step = ChoiceStep::chosen;
            }
            if (step == ChoiceStep::moved && !move_to(was))
                return choice;
            if (step == ChoiceStep::chosen) {
                if (state.highlight != was) { // clicked: shown lit as it is chosen
                    draw_choice_item(items[std::size_t(was)], false);
                    draw_choice_item(items[std::size_t(state.highlight)], true);
                }
                choice.chosen = state.highlight;
                return choice;
            }
            if (step == ChoiceStep::back) {
                choice.outcome = Outcome::quit_key;
                return choice;
            }
        }
        Uint32 now = SDL_GetTicks();
        int was = state.highlight;
        if (choice_elapse(state, int(now - then)) > 0 && !move_to(was))
            return choice;
        then = now;
        speak_pump();
        // Escape and the close button, as everywhere in the game.
        if (Outcome seen = game_wait(CHOOSER_FRAME_MS); seen != Outcome::go_on) {
            choice.outcome = seen;
            return choice;
        }
    }
}
