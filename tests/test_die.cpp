// The die: the roll is the face shown when the space bar goes up; other keys
// only print; Escape and the window's close end the game. With one button any
// release stops it; the computer stops it by itself.
#include "die.h"

#include "game_fixture.h"
#include "screen.h"
#include "wait.h"
#include "support.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <set>
#include <string>
#include <vector>

namespace {

class DieTest : public testing::Test {
protected:
    void SetUp() override
    {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        start_test_game();
        reset_recordings();
    }
};

// The face on the screen, told by comparing every pixel with the six faces.
int face_on_screen()
{
    int found = 0;
    for (int face = 0; face < 6; face++) {
        bool same = true;
        for (int y = 0; y < DIE_SIZE && same; y++)
            for (int x = 0; x < DIE_SIZE && same; x++)
                same = pixel_at(screen, DIE_X + x, DIE_Y + y) == pixel_at(Die, 48 * face + x, y);
        if (same)
            found = found == 0 ? face + 1 : -1;
    }
    return found;
}

TEST_F(DieTest, RollIsTheFaceShownWhenSpaceGoesUp)
{
    std::set<int> seen;
    for (unsigned seed = 1; seed <= 60; seed++) {
        queue_keyup(SDLK_SPACE);
        std::srand(seed);
        begin_stdout_capture();
        int roll = roll_die();
        std::string out = end_stdout_capture();
        ASSERT_GE(roll, 1);
        ASSERT_LE(roll, 6);
        EXPECT_EQ(face_on_screen(), roll) << "seed " << seed;
        EXPECT_EQ(out, "Got a keyup of 32\n");
        seen.insert(roll);
    }
    EXPECT_EQ(seen.size(), 6u) << "every value occurs over many rolls";
    EXPECT_TRUE(delays.empty()) << "the space bar returns at once, without a pause";
}

TEST_F(DieTest, OtherKeysOnlyPrintAndKeyPressesDoNothing)
{
    SDL_Event event{};
    while (SDL_PollEvent(&event) == 1) {
    }
    const SDLKey keys[] = {SDLK_a, SDLK_RETURN, SDLK_LEFT};
    for (SDLKey key : keys) {
        event = SDL_Event{};
        event.type = SDL_KEYUP;
        event.key.keysym.sym = key;
        SDL_PushEvent(&event);
    }
    event = SDL_Event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_SPACE;
    SDL_PushEvent(&event);
    event.type = SDL_KEYUP;
    SDL_PushEvent(&event);
    begin_stdout_capture();
    int roll = roll_die();
    std::string out = end_stdout_capture();
    EXPECT_EQ(face_on_screen(), roll);
    EXPECT_EQ(out, "Got a keyup of 97\nGot a keyup of 13\nGot a keyup of 276\n"
                   "Got a keyup of 32\n");
    // One event per frame: four frames before the one that takes the space bar.
    EXPECT_EQ(delays, std::vector<Uint32>(4, 50));
}

TEST_F(DieTest, SpinsUntilAnEventArrives)
{
    int frames = 0;
    on_delay = [&frames](Uint32) {
        if (++frames == 25)
            queue_keyup(SDLK_SPACE);
    };
    roll_die();
    EXPECT_EQ(frames, 25);
}

// A key, mouse button or joystick button event.
SDL_Event event_of(Uint8 type, SDLKey key, Uint8 button = 0)
{
    SDL_Event event{};
    event.type = type;
    if (type == SDL_KEYUP)
        event.key.keysym.sym = key;
    else if (type == SDL_JOYBUTTONUP)
        event.jbutton.button = button;
    else
        event.button.button = button;
    return event;
}

void queue_only(SDL_Event event)
{
    SDL_Event old;
    while (SDL_PollEvent(&old) == 1) {
    }
    ASSERT_EQ(SDL_PushEvent(&event), 0) << SDL_GetError();
}

// Which events stop the die for a child at the space bar and for a child
// with one button. An event that does not stop it is followed, a frame
// later, by the space bar's release, which stops both.
TEST_F(DieTest, WhatStopsTheDieForEachRoller)
{
    struct Case {
        const char *name;
        SDL_Event event;
        bool stops_space_bar, stops_any_button;
    };
    const std::vector<Case> cases = {
        {"space released", event_of(SDL_KEYUP, SDLK_SPACE), true, true},
        {"another key released", event_of(SDL_KEYUP, SDLK_a), false, true},
        {"left button released", event_of(SDL_MOUSEBUTTONUP, SDLK_UNKNOWN, SDL_BUTTON_LEFT), false, true},
        {"right button released", event_of(SDL_MOUSEBUTTONUP, SDLK_UNKNOWN, SDL_BUTTON_RIGHT), false, true},
        {"left button pressed", event_of(SDL_MOUSEBUTTONDOWN, SDLK_UNKNOWN, SDL_BUTTON_LEFT), false, false},
        {"wheel turned", event_of(SDL_MOUSEBUTTONUP, SDLK_UNKNOWN, SDL_BUTTON_WHEELUP), false, false},
        {"wheel turned back", event_of(SDL_MOUSEBUTTONUP, SDLK_UNKNOWN, SDL_BUTTON_WHEELDOWN), false, false},
        {"joystick button released", event_of(SDL_JOYBUTTONUP, SDLK_UNKNOWN, 7), false, true},
    };
    for (const Case &c : cases)
        for (Roller roller : {Roller::space_bar, Roller::any_button}) {
            bool stops = roller == Roller::space_bar ? c.stops_space_bar : c.stops_any_button;
            reset_recordings();
            queue_only(c.event);
            on_delay = [](Uint32) { queue_keyup(SDLK_SPACE); };
            begin_stdout_capture();
            int roll = 0;
            roll_die(roller, roll);
            end_stdout_capture();
            EXPECT_EQ(face_on_screen(), roll) << c.name;
            EXPECT_EQ(delays.size(), stops ? 0u : 1u)
                << c.name << (roller == Roller::space_bar ? ", space bar" : ", one button");
        }
}

// The computer's die ignores every key but Escape and stops after its own
// 16 to 40 frames (0.8 to 2 s), the count drawn from rand() first.
TEST_F(DieTest, TheComputerStopsTheDieByItself)
{
    std::set<std::size_t> waits;
    for (unsigned seed = 1; seed <= 200; seed++) {
        std::srand(seed);
        std::size_t frames = 16 + std::size_t(std::rand() % 25);
        reset_recordings();
        on_delay = [](Uint32) { queue_keyup(SDLK_SPACE); };
        std::srand(seed);
        begin_stdout_capture();
        int roll = 0;
        roll_die(Roller::computer, roll);
        std::string out = end_stdout_capture();
        ASSERT_EQ(count_delays(50), int(frames)) << "seed " << seed;
        EXPECT_EQ(face_on_screen(), roll) << "seed " << seed;
        EXPECT_EQ(out.size(), frames * std::string("Got a keyup of 32\n").size()) << "keys only print";
        waits.insert(frames);
    }
    EXPECT_EQ(*waits.begin(), 16u);
    EXPECT_EQ(*waits.rbegin(), 40u);
}

// Escape and the window's close end the roll, whoever rolls, with or
// without the game's own options; the roll is then 0 and nothing waits.
TEST_F(DieTest, EscapeAndClosingEndTheRollForEveryRoller)
{
    struct Case {
        const char *name;
        SDL_Event event;
        Outcome outcome;
        const char *printed;
    };
    const std::vector<Case> cases = {
        {"Escape", event_of(SDL_KEYUP, SDLK_ESCAPE), Outcome::quit_key, "Got a keyup of 27\n"},
        {"window closed", event_of(SDL_QUIT, SDLK_UNKNOWN), Outcome::quit_window, ""},
    };
    for (const Case &c : cases)
        for (Roller roller : {Roller::space_bar, Roller::any_button, Roller::computer})
            for (bool watching : {false, true}) {
                watch_window = watching;
                reset_recordings();
                queue_only(c.event);
                begin_stdout_capture();
                int roll = -1;
                Outcome outcome = roll_die(roller, roll);
                std::string out = end_stdout_capture();
                watch_window = false;
                EXPECT_EQ(outcome, c.outcome) << c.name << ", watching " << watching;
                EXPECT_EQ(roll, 0) << c.name;
                EXPECT_EQ(out, c.printed) << c.name;
                EXPECT_TRUE(delays.empty()) << c.name;
            }
}

// An eye tracker's pointer never rests. In the design's game the die takes
// one event a frame, so the motion ahead of a click delays it a frame each
// (kept: see QUIRKS.md, 'keys queue'); under the game's own options every
// waiting event is read each frame, and the click stops the die at once.
TEST_F(DieTest, UnderOptionsPointerMotionDoesNotDelayTheClick)
{
    constexpr int MOTIONS = 100;
    for (bool watching : {false, true}) {
        watch_window = watching;
        reset_recordings();
        queue_only(event_of(SDL_MOUSEMOTION, SDLK_UNKNOWN));
        for (int i = 1; i < MOTIONS; i++) {
            SDL_Event motion = event_of(SDL_MOUSEMOTION, SDLK_UNKNOWN);
            SDL_PushEvent(&motion);
        }
        SDL_Event click = event_of(SDL_MOUSEBUTTONUP, SDLK_UNKNOWN, SDL_BUTTON_LEFT);
        SDL_PushEvent(&click);
        int roll = 0;
        Outcome outcome = roll_die(Roller::any_button, roll);
        watch_window = false;
        EXPECT_EQ(outcome, Outcome::go_on);
        EXPECT_GE(roll, 1);
        EXPECT_EQ(count_delays(50), watching ? 0 : MOTIONS) << "watching " << watching;
    }
}

} // namespace
