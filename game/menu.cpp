// The menu and the win screen, both made of the one chooser.
#include "menu.h"

#include "ask.h"
#include "board.h"
#include "boards.h"
#include "chooser.h"
#include "config.h"
#include "language.h"
#include "note.h"
#include "options.h"
#include "questions.h"
#include "panel.h"
#include "sayings.h"
#include "screen.h"
#include "speak.h"
#include "squares.h"
#include "utf8.h"

#include <SDL_gfxPrimitives.h>
#include <SDL_rotozoom.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>

namespace {

// The menu's layout: the boards and the lit board's picture on the left,
// the game's settings, Start and Quit on the right.
constexpr int BOARDS_X = 16;
constexpr int BOARDS_W = 288;
constexpr int BOARDS_TOP = 16;
constexpr int BOARDS_BOTTOM = 196;
constexpr int BOARD_STEP_MAX = 42;
constexpr int BOARD_STEP_MIN = 25; // an item still holds a line of the font
// More boards than this are shown a page at a time: moving past a page's
// last board shows the next page.
constexpr int BOARDS_PER_PAGE = (BOARDS_BOTTOM - BOARDS_TOP) / BOARD_STEP_MIN;
constexpr int ITEM_GAP = 6;
constexpr int LANGUAGE_Y = 206;
constexpr int PICTURE_SIZE = 224;
constexpr int PICTURE_X = BOARDS_X + (BOARDS_W - PICTURE_SIZE) / 2;
constexpr int PICTURE_Y = 244;
constexpr int SETTINGS_X = 328;
constexpr int SETTINGS_W = 296;
constexpr int SETTINGS_TOP = 16;
constexpr int SETTINGS_STEP = 44;
constexpr int MARK_W = 4; // the chosen board's green mark inside its item

// The win screen: a box over the middle of the window.
constexpr SDL_Rect WIN_BOX = {40, 80, 560, 320}; // over the die too
constexpr int WIN_SCALE = 4;
constexpr int WIN_ITEMS_X = 200;
constexpr int WIN_ITEMS_W = 240;
constexpr int WIN_ITEMS_TOP = 190;
constexpr int WIN_TALLY_TOP = WIN_ITEMS_TOP + 3 * SETTINGS_STEP + 8; // under the three choices

constexpr SDL_Color WHITE = {255, 255, 255, 0};
constexpr SDL_Color MARK = {40, 200, 80, 0};

// The small pictures of the boards lit last, at most PICTURES_KEPT, the
// oldest freed first (null: the board could not be read). Each is 200 kB:
// a folder of hundreds of boards looked through would otherwise keep them
// all. A board that cannot be read has no picture but why, shown in its place.
constexpr std::size_t PICTURES_KEPT = 2 * BOARDS_PER_PAGE;
struct Picture {
    SDL_Surface *small = nullptr;
    std::string fault;
};
std::map<std::string, Picture> &pictures = *new std::map<std::string, Picture>;
std::deque<std::string> &pictures_made = *new std::deque<std::string>; // oldest first

enum class Kind { board, players, player, speaking, one_button, full_screen, start, quit };

struct Entry {
    Kind kind;
    int index; // the board's in `versions`, or the player's
};

bool is_full_screen()
{
    return screen != nullptr && (screen->flags & SDL_FULLSCREEN) != 0;
}

SDL_Rect rect(int x, int y, int w, int h)
{
    return SDL_Rect{Sint16(x), Sint16(y), Uint16(w), Uint16(h)};
}

// An item of the menu's words: `clips` said, `words` drawn and printed.
ChoiceItem item(const std::string &words, const std::vector<std::string> &clips, const std::string &language,
                SDL_Rect at)
{
    ChoiceItem made;
    made.words = words;
    made.said = phrase_of(clips, language);
    made.rect = at;
    return made;
}

std::string word(const std::string &clip, const std::string &language)
{
    return say_text(clip, language);
}

// The first board of the page that shows board `index`.
int page_start(int index)
{
    return index - index % BOARDS_PER_PAGE;
}

// The menu as it stands: its items and what each one is. The boards of the
// page from `first` on are shown, the others have no place.
void build_items(const std::vector<std::string> &versions, const std::vector<std::string> &titles, int first,
                 const std::string &lang, std::vector<ChoiceItem> &items, std::vector<Entry> &entries)
{
    int shown = std::min(int(versions.size()), BOARDS_PER_PAGE);
    int step = std::min(BOARD_STEP_MAX, (BOARDS_BOTTOM - BOARDS_TOP) / std::max(shown, 1));
    for (std::size_t i = 0; i < versions.size(); i++) {
        ChoiceItem board;
        board.words = titles[i];
        board.said = Phrase{{"title"}, titles[i]}; // ./<version>/say/title.wav
        board.version = versions[i];
        int row = int(i) - first;
        if (row >= 0 && row < BOARDS_PER_PAGE)
            board.rect = rect(BOARDS_X, BOARDS_TOP + row * step, BOARDS_W, step - ITEM_GAP);
        items.push_back(board);
        entries.push_back({Kind::board, int(i)});
    }
    int y = SETTINGS_TOP;
    auto next = [&]() {
        SDL_Rect at = rect(SETTINGS_X, y, SETTINGS_W, SETTINGS_STEP - ITEM_GAP);
        y += SETTINGS_STEP;
        return at;
    };
    auto on_off = [&](bool on) { return on ? std::string("on") : std::string("off"); };
    items.push_back(item(word("players", lang) + ": " + std::to_string(options.players),
                         {"players", number_clip(options.players)}, lang, next()));
    entries.push_back({Kind::players, 0});
    for (int p = 0; p < options.players; p++) {
        std::string who = options.computer[std::size_t(p)] ? "computer" : "person";
        items.push_back(item(word("player", lang) + " " + std::to_string(p + 1) + ": " + word(who, lang),
                             {"player", number_clip(p + 1), who}, lang, next()));
        entries.push_back({Kind::player, p});
    }
    const std::vector<std::pair<Kind, std::pair<const char *, bool>>> switches = {
        {Kind::speaking, {"speaking", options.speak}},
        {Kind::one_button, {"one_button", options.one_button}},
        {Kind::full_screen, {"full_screen", is_full_screen()}},
    };
    for (const auto &s : switches) {
        items.push_back(item(word(s.second.first, lang) + ": " + word(on_off(s.second.second), lang),
                             {s.second.first, on_off(s.second.second)}, lang, next()));
        entries.push_back({s.first, 0});
    }
    items.push_back(item(word("start", lang), {"start"}, lang, next()));
    entries.push_back({Kind::start, 0});
    items.push_back(item(word("quit", lang), {"quit"}, lang, next()));
    entries.push_back({Kind::quit, 0});
}

const Picture &picture_of(const std::string &version)
{
    auto known = pictures.find(version);
    if (known != pictures.end())
        return known->second;
    Picture made;
    if (std::optional<Failure> failed = read_board(version, true)) {
        made.fault = failed->message;
    } else {
        double zoom = double(PICTURE_SIZE) / BOARD_SIZE;
        made.small = zoomSurface(::board, zoom, zoom, SMOOTHING_ON);
    }
    if (pictures_made.size() == PICTURES_KEPT) {
        SDL_FreeSurface(pictures[pictures_made.front()].small);
        pictures.erase(pictures_made.front());
        pictures_made.pop_front();
    }
    pictures_made.push_back(version);
    return pictures[version] = made;
}

// Why a board has no picture, in its place: the game's own message (the one
// Start prints), each of its lines wrapped to the picture's width.
void draw_picture_fault(const std::string &fault)
{
    SDL_Rect square = rect(PICTURE_X, PICTURE_Y, PICTURE_SIZE, PICTURE_SIZE), old_clip;
    SDL_GetClipRect(screen, &old_clip);
    SDL_SetClipRect(screen, &square); // a long message stays in its place
    int y = PICTURE_Y;
    std::size_t from = 0;
    while (from < fault.size()) {
        std::size_t end = std::min(fault.find('\n', from), fault.size());
        std::string paragraph = fault.substr(from, end - from);
        for (const std::string &line : wrap_words(paragraph, PICTURE_SIZE / PANEL_FONT_W)) {
            draw_text_line(screen, PICTURE_X, y, line, WHITE);
            y += NOTE_LINE_H;
        }
        from = end + 1;
    }
    SDL_SetClipRect(screen, &old_clip);
}

// The green mark on the chosen board's item.
void mark_chosen(const std::vector<ChoiceItem> &items, const std::vector<Entry> &entries,
                 const std::vector<std::string> &versions)
{
    for (std::size_t i = 0; i < items.size(); i++)
        if (entries[i].kind == Kind::board && versions[std::size_t(entries[i].index)] == options.version &&
            items[i].rect.h > 0) {
            SDL_Rect r = items[i].rect;
            SDL_Rect mark = rect(r.x + 2, r.y + 2, MARK_W, std::max(int(r.h) - 4, 0));
            SDL_FillRect(screen, &mark, screen_colour(MARK));
            SDL_UpdateRect(screen, mark.x, mark.y, mark.w, mark.h);
        }
}

// Under the boards, when they do not fit on one page, which of them are
// shown: "8-14/200".
void draw_page_tally(int first, int count)
{
    if (count <= BOARDS_PER_PAGE)
        return;
    std::string tally = std::to_string(first + 1) + "-" + std::to_string(std::min(first + BOARDS_PER_PAGE, count)) +
                        "/" + std::to_string(count);
    SDL_Rect area = rect(BOARDS_X, LANGUAGE_Y, BOARDS_W, PICTURE_Y - LANGUAGE_Y);
    draw_big_text(BOARDS_X + BOARDS_W - big_text_width(tally, 2), LANGUAGE_Y, tally, 2, WHITE, area);
    SDL_UpdateRect(screen, area.x, area.y, area.w, area.h);
}

} // namespace

std::string menu_words_language()
{
    return menu_language(std::getenv("LANG"));
}

void draw_board_picture(const std::string &version)
{
    SDL_Rect area = rect(BOARDS_X, LANGUAGE_Y, BOARDS_W, PICTURE_Y + PICTURE_SIZE - LANGUAGE_Y);
    SDL_FillRect(screen, &area, 0);
    const Picture &picture = picture_of(version);
    if (picture.small != nullptr) {
        SDL_Rect to = rect(PICTURE_X, PICTURE_Y, PICTURE_SIZE, PICTURE_SIZE);
        SDL_UpperBlit(picture.small, nullptr, screen, &to);
    } else {
        draw_picture_fault(picture.fault);
    }
    std::string tag = version_language(version);
    draw_big_text(PICTURE_X, LANGUAGE_Y, tag.empty() ? "?" : tag, 2, WHITE, area);
    SDL_UpdateRect(screen, area.x, area.y, area.w, area.h);
}

Outcome run_menu()
{
    const std::string lang = menu_words_language();
    std::vector<std::string> versions = find_versions(".");
    // A version named on the command line is offered even when it is not
    // a folder of the working folder (a path to one elsewhere).
    if (std::find(versions.begin(), versions.end(), options.version) == versions.end())
        versions.insert(versions.begin(), options.version);
    std::vector<std::string> titles;
    for (const std::string &version : versions) {
        std::string fault;
        titles.push_back(version_title(version, fault));
        if (!fault.empty())
            std::fprintf(stderr, "boardgame: %s\n", terminal_text(fault).c_str());
    }
    int highlight = int(std::find(versions.begin(), versions.end(), options.version) - versions.begin());
    int first = page_start(highlight); // the first board shown
    for (;;) {
        speak_choices(options.speak, lang);
        std::vector<ChoiceItem> items;
        std::vector<Entry> entries;
        build_items(versions, titles, first, lang, items, entries);
        highlight = std::min(highlight, int(items.size()) - 1);
        SDL_FillRect(screen, nullptr, 0);
        bool shown = false; // the whole window, once the menu is drawn over the black
        ChooserSettings settings;
        settings.scan_ms = options.one_button ? options.scan_ms : 0;
        settings.shown = [&](int index) { return items[std::size_t(index)].rect.h > 0; };
        settings.again_after_f11 = true; // its Full screen item says which
        settings.lit = [&](int lit) {
            const Entry &entry = entries[std::size_t(lit)];
            draw_board_picture(entry.kind == Kind::board ? versions[std::size_t(entry.index)] : options.version);
            draw_page_tally(first, int(versions.size()));
            mark_chosen(items, entries, versions);
            if (!shown)
                SDL_UpdateRect(screen, 0, 0, 0, 0);
            shown = true;
        };
        Choice choice = choose(items, highlight, settings);
        if (choice.outcome != Outcome::go_on)
            return choice.outcome;
        if (choice.again >= 0) { // a board of another page, or F11: shown anew
            highlight = choice.again;
            if (entries[std::size_t(highlight)].kind == Kind::board)
                first = page_start(entries[std::size_t(highlight)].index);
            options.fullscreen = is_full_screen();
            continue;
        }
        highlight = choice.chosen;
        const Entry &entry = entries[std::size_t(choice.chosen)];
        switch (entry.kind) {
        case Kind::board:
            options.version = versions[std::size_t(entry.index)];
            break;
        case Kind::players:
            options.players = options.players == MAX_PLAYERS ? PLAYERS : options.players + 1;
            break;
        case Kind::player:
            options.computer[std::size_t(entry.index)] = !options.computer[std::size_t(entry.index)];
            break;
        case Kind::speaking:
            options.speak = !options.speak;
            break;
        case Kind::one_button:
            options.one_button = !options.one_button;
            if (options.one_button)
                open_joysticks();
            break;
        case Kind::full_screen:
            toggle_full_screen();
            options.fullscreen = is_full_screen();
            break;
        case Kind::start:
            return Outcome::go_on;
        case Kind::quit:
            return Outcome::quit_key;
        }
    }
}

Outcome win_screen(const std::string &line, AfterWin &after)
{
    const std::string lang = menu_words_language();
    speak_choices(options.speak, lang);
    SDL_Rect box = WIN_BOX;
    SDL_FillRect(screen, &box, screen_colour(WHITE));
    SDL_Rect inside = rect(box.x + 3, box.y + 3, box.w - 6, box.h - 6);
    SDL_FillRect(screen, &inside, 0);
    int width = big_text_width(line, WIN_SCALE);
    draw_big_text(box.x + (box.w - width) / 2, box.y + 24, line, WIN_SCALE, WHITE, inside);
    // The teacher's view of a board with questions: each player's right
    // answers, under the choices ("Player 1: 5 of 7").
    const std::vector<std::string> tally = answer_tally();
    for (std::size_t i = 0; i < tally.size(); i++)
        stringRGBA(screen, WIN_ITEMS_X, Sint16(WIN_TALLY_TOP + NOTE_LINE_H * int(i)), tally[i].c_str(),
                   WHITE.r, WHITE.g, WHITE.b, 255);
    SDL_UpdateRect(screen, box.x, box.y, box.w, box.h);
    const std::vector<std::string> clips = {"play_again", "menu", "quit"};
    std::vector<ChoiceItem> items;
    for (std::size_t i = 0; i < clips.size(); i++)
        items.push_back(item(word(clips[i], lang), {clips[i]}, lang,
                             rect(WIN_ITEMS_X, WIN_ITEMS_TOP + int(i) * SETTINGS_STEP, WIN_ITEMS_W,
                                  SETTINGS_STEP - ITEM_GAP)));
    ChooserSettings settings;
    settings.scan_ms = options.one_button ? options.scan_ms : 0;
    Choice choice = choose(items, 0, settings);
    after = AfterWin::menu; // Escape goes back to the menu
    if (choice.outcome == Outcome::quit_window)
        return choice.outcome;
    if (choice.outcome == Outcome::go_on)
        after = std::array<AfterWin, 3>{AfterWin::play_again, AfterWin::menu, AfterWin::quit}[std::size_t(choice.chosen)];
    return Outcome::go_on;
}
