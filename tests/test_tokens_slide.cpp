// Tokens and the slide: corners, the redraw, the slide's worked examples
// frame by frame, and the board and the other token left intact (the other
// three, with four tokens).
#include "slide.h"
#include "tokens.h"

#include "board.h"
#include "squares.h"
#include "game_fixture.h"
#include "screen.h"
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class TokensTest : public testing::Test {
protected:
    void SetUp() override
    {
        start_test_game();
        fresh_board();
        reset_recordings();
    }
};

// The token's picture over the board at `at` (black of the icon transparent).
bool token_drawn_at(int which, SDL_Rect at)
{
    SDL_Surface *icon = player[which].icon;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 20; x++) {
            std::uint32_t ink = pixel_at(icon, x, y);
            std::uint32_t want = ink != 0 ? ink : pixel_at(board, at.x + x, at.y + y);
            if (pixel_at(screen, at.x + x, at.y + y) != want)
                return false;
        }
    return true;
}

// Every board pixel outside the given rectangles is on the screen unchanged.
bool board_intact_except(const std::vector<SDL_Rect> &holes)
{
    for (int y = 0; y < BOARD_SIZE; y++)
        for (int x = 0; x < BOARD_SIZE; x++) {
            bool hole = std::any_of(holes.begin(), holes.end(), [x, y](const SDL_Rect &r) {
                return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
            });
            if (!hole && pixel_at(screen, x, y) != pixel_at(board, x, y)) {
                ADD_FAILURE() << "board changed at " << x << "," << y << ": " << std::hex
                              << pixel_at(screen, x, y) << " instead of " << pixel_at(board, x, y);
                return false;
            }
        }
    return true;
}

TEST_F(TokensTest, CornersOfASquare)
{
    begin_stdout_capture();
    set_dest(0, 0);
    set_dest(1, 0);
    set_dest(1, 99);
    set_dest(0, 55);
    EXPECT_EQ(end_stdout_capture(), "Player 0 is set to (4, 436) w = 20  h = 20\n"
                                    "Player 1 is set to (24, 456) w = 20  h = 20\n"
                                    "Player 1 is set to (24, 24) w = 20  h = 20\n"
                                    "Player 0 is set to (196, 196) w = 20  h = 20\n");
}

TEST_F(TokensTest, RedrawRepairsTheSquareAndDrawsBothTokens)
{
    place_token(0, 0);
    place_token(1, 0);
    SDL_Rect stray{8, 440, 30, 30}; // paint over square 0 and both tokens
    SDL_FillRect(screen, &stray, SDL_MapRGB(screen->format, 0, 255, 0));
    redraw_tokens(blist[0]->rect);
    EXPECT_TRUE(token_drawn_at(0, player[0].dest));
    EXPECT_TRUE(token_drawn_at(1, player[1].dest));
    EXPECT_TRUE(board_intact_except({player[0].dest, player[1].dest}));
    // A square that neither token stands on still gets both tokens drawn.
    redraw_tokens(blist[50]->rect);
    EXPECT_TRUE(token_drawn_at(0, player[0].dest));
    EXPECT_TRUE(token_drawn_at(1, player[1].dest));
}

struct SlideCase {
    const char *name;
    int which, from, to;
    const char *lines;
    int frames;
    SDL_Rect first, last; // token place in the first and last frame
};

const std::vector<SlideCase> slides = {
    {"ladder, long y axis", 0, 3, 22, "y Loop\nStaring y loop with star = 436, end = 350, dir = -1\n",
     86, {147, 436, 20, 20}, {109, 351, 20, 20}},
    {"chute, long x axis", 1, 19, 5, "x loop\nStaring x loop with star = 24, end = 254, dir = 1\n",
     230, {24, 408, 20, 20}, {253, 446, 20, 20}},
    {"tie takes x", 0, 18, 2, "x loop\nStaring x loop with star = 52, end = 110, dir = 1\n",
     58, {52, 389, 20, 20}, {109, 446, 20, 20}},
    {"same column still moves sideways", 0, 9, 10,
     "y Loop\nStaring y loop with star = 436, end = 398, dir = -1\n",
     38, {436, 436, 20, 20}, {445, 399, 20, 20}},
};

TEST_F(TokensTest, SlideFrameByFrame)
{
    for (const SlideCase &c : slides) {
        fresh_board();
        place_token(1 - c.which, 40);
        place_token(c.which, c.from);
        reset_recordings();
        std::vector<SDL_Rect> frames;
        on_delay = [&frames, &c](Uint32) { frames.push_back(player[c.which].dest); };
        begin_stdout_capture();
        slide(c.which, c.from, c.to);
        EXPECT_EQ(end_stdout_capture(), c.lines) << c.name;
        ASSERT_EQ(int(frames.size()), c.frames) << c.name;
        EXPECT_EQ(count_delays(50), c.frames) << c.name;
        auto same = [](SDL_Rect a, SDL_Rect b) {
            return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
        };
        EXPECT_TRUE(same(frames.front(), c.first))
            << c.name << ": first frame at " << frames.front().x << "," << frames.front().y;
        EXPECT_TRUE(same(frames.back(), c.last))
            << c.name << ": last frame at " << frames.back().x << "," << frames.back().y;
        EXPECT_TRUE(same(player[c.which].dest, c.last)) << c.name;
        EXPECT_EQ(player[c.which].square, c.from) << c.name << ": the turn sets the square";
        // One pixel per frame on the long axis, never a jump on the other.
        for (std::size_t k = 1; k < frames.size(); k++) {
            int step = std::abs(frames[k].x - frames[k - 1].x) + std::abs(frames[k].y - frames[k - 1].y);
            EXPECT_GE(step, 1) << c.name << " frame " << k;
            EXPECT_LE(step, 2) << c.name << " frame " << k;
        }
        EXPECT_TRUE(token_drawn_at(c.which, player[c.which].dest)) << c.name;
        EXPECT_TRUE(board_intact_except({player[c.which].dest, player[1 - c.which].dest})) << c.name;
        EXPECT_TRUE(token_drawn_at(1 - c.which, player[1 - c.which].dest)) << c.name;
    }
}

TEST_F(TokensTest, TieSlideMovesDiagonallyOnePixelAFrame)
{
    place_token(0, 18);
    std::vector<SDL_Rect> frames;
    on_delay = [&frames](Uint32) { frames.push_back(player[0].dest); };
    slide(0, 18, 2);
    ASSERT_EQ(frames.size(), 58u);
    for (int k = 1; k <= 58; k++) {
        EXPECT_EQ(frames[k - 1].x, 51 + k) << "frame " << k;
        EXPECT_EQ(frames[k - 1].y, 388 + k) << "frame " << k;
    }
}

// The sliding token leaves its start square at once and the other token
// there is drawn again before the first frame.
TEST_F(TokensTest, StartSquareRepairedAtOnce)
{
    place_token(0, 3);
    place_token(1, 3);
    int frame = 0;
    on_delay = [&frame](Uint32) {
        if (++frame == 1) {
            EXPECT_TRUE(token_drawn_at(1, player[1].dest));
            EXPECT_TRUE(board_intact_except({player[0].dest, player[1].dest}));
        }
    };
    slide(0, 3, 22);
    EXPECT_EQ(frame, 86);
}

// The other token on the path is passed over and left whole, and the
// save-under is released when the slide ends.
TEST_F(TokensTest, OtherTokenOnThePathSurvives)
{
    place_token(1, 16);
    player[1].dest = SDL_Rect{130, 400, 20, 20}; // right on the line from 3 to 22
    redraw_tokens(blist[16]->rect);
    place_token(0, 3);
    reset_recordings();
    slide(0, 3, 22);
    EXPECT_TRUE(token_drawn_at(1, player[1].dest));
    EXPECT_TRUE(board_intact_except({player[0].dest, player[1].dest}));
    ASSERT_EQ(created_20x20.size(), 1u);
    EXPECT_NE(std::find(freed_surfaces.begin(), freed_surfaces.end(), created_20x20[0]),
              freed_surfaces.end())
        << "the save-under surface is released when the slide ends";
}

// A game of four, made once (the two more tokens); every test ends with the
// two-player game again. Whichever of four tokens on one square slides, the
// three others stay whole: redrawn at once on the start square, passed over
// by the save-under on the way.
class FourTokensTest : public TokensTest {
protected:
    void SetUp() override
    {
        start_test_game();
        player_count = 4;
        if (player[3].icon == nullptr) {
            // setup_players reads the pictures of the tokens it lacks once.
            setup_players();
        }
        fresh_board();
        reset_recordings();
    }
    void TearDown() override
    {
        player_count = 2;
        fresh_board();
    }
};

TEST_F(FourTokensTest, TheOtherThreeSurviveASlide)
{
    for (int which = 0; which < 4; which++) {
        fresh_board();
        for (int t = 0; t < 4; t++)
            place_token(t, 3);
        int frame = 0;
        on_delay = [&frame, which](Uint32) {
            if (++frame == 1) {
                for (int t = 0; t < 4; t++)
                    EXPECT_TRUE(t == which || token_drawn_at(t, player[t].dest)) << which << " lifted, " << t;
            }
        };
        slide(which, 3, 22);
        for (int t = 0; t < 4; t++)
            EXPECT_TRUE(token_drawn_at(t, player[t].dest)) << which << " slid, " << t;
        EXPECT_TRUE(board_intact_except({player[0].dest, player[1].dest, player[2].dest, player[3].dest}))
            << which;
    }
}

} // namespace
