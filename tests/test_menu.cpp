// The chooser driven by queued events on SDL's dummy driver, and the time
// the menu takes to draw a board's small picture.
#include "chooser.h"
#include "font.h"
#include "guards.h"
#include "menu.h"
#include "options.h"
#include "panel.h"
#include "paths.h"
#include "pixels.h"
#include "screen.h"
#include "support.h"

#include <SDL_gfxPrimitives.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::array<char, PANEL_FONT_BYTES> font_bytes;

void start_window()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    ASSERT_FALSE(start_SDL(SDL_INIT_VIDEO | SDL_INIT_TIMER));
    ASSERT_FALSE(open_window());
    Font_setup();
    FileRead font = read_regular_file(PANEL_FONT, 1 << 16);
    ASSERT_TRUE(font.ok);
    std::memcpy(font_bytes.data(), font.bytes.data(), PANEL_FONT_BYTES);
    gfxPrimitivesSetFont(font_bytes.data(), PANEL_FONT_W, PANEL_FONT_H);
}

// Three items in a column.
std::vector<ChoiceItem> three_items()
{
    std::vector<ChoiceItem> items;
    for (int i = 0; i < 3; i++) {
        ChoiceItem item;
        item.words = "Item " + std::to_string(i + 1);
        item.rect = SDL_Rect{100, Sint16(100 + 50 * i), 200, 40};
        items.push_back(item);
    }
    return items;
}

void queue(const SDL_Event &event)
{
    SDL_Event copy = event;
    ASSERT_EQ(SDL_PushEvent(&copy), 0);
}

SDL_Event key_up(SDLKey key, SDLMod mod = KMOD_NONE)
{
    SDL_Event event{};
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.mod = mod;
    return event;
}

SDL_Event click(int x, int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = Uint16(x);
    event.button.y = Uint16(y);
    return event;
}

TEST(Chooser, EventsChooseAndEnd)
{
    start_window();
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    struct Case {
        const char *name;
        std::vector<SDL_Event> events;
        int scan_ms;
        Outcome outcome;
        int chosen;
        std::vector<std::string> lit; // the Menu: lines, in order
    };
    const std::vector<Case> cases = {
        {"down twice, Enter", {key_up(SDLK_DOWN), key_up(SDLK_DOWN), key_up(SDLK_RETURN)}, 0, Outcome::go_on, 2,
         {"Item 1", "Item 2", "Item 3"}},
        {"up wraps, Space", {key_up(SDLK_UP), key_up(SDLK_SPACE)}, 0, Outcome::go_on, 2, {"Item 1", "Item 3"}},
        {"Tab and Shift+Tab", {key_up(SDLK_TAB), key_up(SDLK_TAB), key_up(SDLK_TAB, KMOD_LSHIFT),
                               key_up(SDLK_KP_ENTER)}, 0, Outcome::go_on, 1,
         {"Item 1", "Item 2", "Item 3", "Item 2"}},
        {"other keys do nothing", {key_up(SDLK_a), key_up(SDLK_RETURN)}, 0, Outcome::go_on, 0, {"Item 1"}},
        {"a click on an item", {click(150, 210)}, 0, Outcome::go_on, 2, {"Item 1"}},
        {"a click beside the items", {click(10, 10), key_up(SDLK_RETURN)}, 0, Outcome::go_on, 0, {"Item 1"}},
        {"Escape goes back", {key_up(SDLK_DOWN), key_up(SDLK_ESCAPE)}, 0, Outcome::quit_key, -1,
         {"Item 1", "Item 2"}},
        {"the close button", {quit}, 0, Outcome::quit_window, -1, {"Item 1"}},
        {"scanning: any key chooses the lit one", {key_up(SDLK_DOWN)}, 60000, Outcome::go_on, 0, {"Item 1"}},
        {"scanning: a click anywhere chooses the lit one", {click(150, 210)}, 60000, Outcome::go_on, 0,
         {"Item 1"}},
        {"scanning: Escape still goes back", {key_up(SDLK_ESCAPE)}, 60000, Outcome::quit_key, -1, {"Item 1"}},
    };
    for (const Case &c : cases) {
        SDL_Event drop;
        while (SDL_PollEvent(&drop) == 1) {
        }
        for (const SDL_Event &event : c.events)
            queue(event);
        std::vector<std::string> lit;
        ChooserSettings settings;
        settings.scan_ms = c.scan_ms;
        std::vector<ChoiceItem> items = three_items();
        settings.lit = [&](int index) { lit.push_back(items[std::size_t(index)].words); };
        testing::internal::CaptureStdout();
        Choice choice = choose(items, 0, settings);
        std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(choice.outcome, c.outcome) << c.name;
        EXPECT_EQ(choice.chosen, c.chosen) << c.name;
        EXPECT_EQ(lit, c.lit) << c.name;
        std::string lines;
        for (const std::string &words : c.lit)
            lines += "Menu: " + words + "\n";
        EXPECT_EQ(printed, lines) << c.name;
    }
}

TEST(Chooser, ScanWalksOnItsOwn)
{
    start_window();
    std::vector<ChoiceItem> items = three_items();
    std::vector<Uint32> at;
    ChooserSettings settings;
    settings.scan_ms = 200;
    settings.lit = [&](int) {
        at.push_back(SDL_GetTicks());
        if (at.size() == 4) { // the last item, then round to the first: choose it
            SDL_Event enter = key_up(SDLK_RETURN);
            SDL_PushEvent(&enter);
        }
    };
    testing::internal::CaptureStdout();
    Choice choice = choose(items, 0, settings);
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(choice.chosen, 0);
    EXPECT_EQ(printed, "Menu: Item 1\nMenu: Item 2\nMenu: Item 3\nMenu: Item 1\n");
    for (std::size_t i = 1; i < at.size(); i++) {
        EXPECT_GE(at[i] - at[i - 1], 200u) << i;
        EXPECT_LT(at[i] - at[i - 1], 300u) << i;
    }
}

// Words that would run past the item at the size its height allows are
// drawn smaller, so that they show whole: a title of forty characters in a
// board's item of the menu, its last letter among them.
TEST(Chooser, WordsShrinkToFitTheItem)
{
    start_window();
    ChoiceItem item;
    item.words = std::string(39, ' ') + "M";
    item.rect = SDL_Rect{16, 16, 288, 36};
    SDL_FillRect(screen, nullptr, 0);
    draw_choice_item(item, false);
    int inked = 0;
    for (int y = item.rect.y; y < item.rect.y + item.rect.h; y++)
        for (int x = item.rect.x; x < item.rect.x + item.rect.w; x++)
            inked += pixel_at(screen, x, y) == 0xFFFFFFu;
    EXPECT_GT(inked, 0);
}

// The menu's promise: a lit board's picture within 150 ms, read and drawn
// small for the first time (later it is kept).
TEST(Menu, BoardPictureWithin150ms)
{
    start_window();
    for (const char *version : {"lirou", "mivo"}) {
        auto start = std::chrono::steady_clock::now();
        draw_board_picture(version);
        auto first = std::chrono::steady_clock::now();
        draw_board_picture(version);
        auto again = std::chrono::steady_clock::now();
        double first_ms = std::chrono::duration<double, std::milli>(first - start).count();
        double again_ms = std::chrono::duration<double, std::milli>(again - first).count();
        std::printf("%s: picture drawn in %.1f ms, again in %.1f ms\n", version, first_ms, again_ms);
        EXPECT_LT(first_ms, 150.0) << version;
        EXPECT_LT(again_ms, 150.0) << version;
        // Something of the board is there: the picture's top left square is not black.
        Uint32 pixel = *reinterpret_cast<Uint32 *>(static_cast<Uint8 *>(screen->pixels) +
                                                   260 * screen->pitch + 70 * 4);
        EXPECT_NE(pixel & 0xFFFFFF, 0u) << version;
    }
}

// A working folder of `count` boards b001, b002, ... with empty version
// files, entered while it lives.
struct BoardsFolder {
    std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("test_menu_boards." + std::to_string(getpid()));
    explicit BoardsFolder(int count)
    {
        std::filesystem::remove_all(root);
        for (int i = 1; i <= count; i++) {
            std::filesystem::create_directories(root / name(i));
            std::ofstream(root / name(i) / (name(i) + ".config")) << "";
        }
        std::filesystem::current_path(root);
    }
    ~BoardsFolder()
    {
        std::filesystem::current_path(old);
        std::filesystem::remove_all(root);
    }
    static std::string name(int i)
    {
        char text[8];
        std::snprintf(text, sizeof text, "b%03d", i);
        return text;
    }
};

// A board that cannot be read shows why in its picture's place, in white
// within the picture's square (48, 244, 224 x 224), not a black square.
TEST(Menu, ABoardThatCannotBeReadShowsWhy)
{
    start_window();
    BoardsFolder folder(1);
    std::filesystem::create_directory("loop");
    std::filesystem::create_directory_symlink("../loop", "loop/loop.config"); // a folder, not a file
    for (const char *version : {"nosuch", "loop"}) {
        SDL_FillRect(screen, nullptr, 0);
        draw_board_picture(version);
        int inside = 0, outside = 0;
        for (int y = 230; y < WINDOW_H; y++)
            for (int x = 0; x < 300; x++) {
                bool in = x >= 48 && x < 48 + 224 && y >= 244 && y < 244 + 224;
                if (pixel_at(screen, x, y) == 0xFFFFFF && y >= 244)
                    (in ? inside : outside)++;
            }
        EXPECT_GT(inside, 200) << version << ": the reason is written";
        EXPECT_EQ(outside, 0) << version;
    }
}

// Twelve boards: more than the menu's column holds at a size that can be
// read. Walking down past the seventh shows the next ones, from the eighth
// at the top of the column, the lit ninth whole under it.
TEST(Menu, ManyBoardsShownAPageAtATime)
{
    start_window();
    BoardsFolder folder(12);
    std::string expected;
    for (int i = 1; i <= 9; i++)
        expected += "Menu: " + BoardsFolder::name(i) + "\n";
    options.version = "b001";
    for (int i = 0; i < 8; i++)
        queue(key_up(SDLK_DOWN));
    queue(key_up(SDLK_ESCAPE));
    testing::internal::CaptureStdout();
    Outcome outcome = run_menu();
    std::string printed = testing::internal::GetCapturedStdout();
    options.version = DEFAULT_VERSION;
    EXPECT_EQ(outcome, Outcome::quit_key);
    EXPECT_EQ(printed, expected);
    // b009 lit, second in the column, tall enough for a line of the font.
    for (int y : {44, 56})
        EXPECT_EQ(pixel_at(screen, 20, y), 0xFAD228u) << y;
}

// Lighting board after board keeps the small pictures of the last few only:
// a hundred boards seen cost what a few do (each picture is 200 kB).
TEST(Menu, PicturesOfManyBoardsAreNotAllKept)
{
    start_window();
    BoardsFolder folder(100);
    for (int i = 1; i <= 20; i++)
        draw_board_picture(BoardsFolder::name(i));
    long before = resident_kb();
    for (int i = 21; i <= 100; i++)
        draw_board_picture(BoardsFolder::name(i));
    long grown = resident_kb() - before;
    if (!SANITIZED) {
        EXPECT_LT(grown, 4096) << "grew by " << grown << " kB";
    }
}

} // namespace
