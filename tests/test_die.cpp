// The die: the roll is the face shown when the space bar goes up; other keys
// only print; Escape and the window's close end the game with status 0.
#include "die.h"

#include "game_fixture.h"
#include "screen.h"
#include "support.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <set>
#include <string>

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

// Exit statuses are checked in a child process; its standard output is sent
// to standard error, where the death test reads it.
TEST_F(DieTest, EscapeQuitsWithStatusZero)
{
    EXPECT_EXIT(
        {
            dup2(2, 1);
            queue_keyup(SDLK_ESCAPE);
            roll_die();
        },
        testing::ExitedWithCode(0), "Got a keyup of 27\nQuit Button pressed\n");
}

TEST_F(DieTest, ClosingTheWindowQuitsWithStatusZero)
{
    EXPECT_EXIT(
        {
            dup2(2, 1);
            SDL_Event event{};
            while (SDL_PollEvent(&event) == 1) {
            }
            event.type = SDL_QUIT;
            SDL_PushEvent(&event);
            roll_die();
        },
        testing::ExitedWithCode(0), "SDL QUIT called \n");
}

} // namespace
