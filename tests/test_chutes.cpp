// Ladders and chutes: their length, turn and placement, the printed lines,
// and the pixels they leave on the board.
#include "board.h"
#include "squares.h"
#include "chutes.h"
#include "config.h"
#include "images.h"
#include "screen.h"

#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t CREAM = 0xffffcc;

// A cream board in the screen's format and the version's tiles.
void fresh_board()
{
    start_dummy_video();
    if (board != nullptr)
        SDL_FreeSurface(board);
    board = SDL_ConvertSurface(screen, screen->format, 0);
    SDL_FillRect(board, nullptr, SDL_MapRGB(board->format, 0xff, 0xff, 0xcc));
    if (s_chute == nullptr) {
        s_chute = read_xpm(chute1_xpm);
        s_ladder = read_xpm(ladder1_xpm);
    }
}

// The smallest rectangle holding every pixel that is no longer cream.
struct Box {
    int x0 = 9999, y0 = 9999, x1 = -1, y1 = -1;
};

Box changed_box()
{
    Box b;
    for (int y = 0; y < BOARD_SIZE; y++)
        for (int x = 0; x < BOARD_SIZE; x++)
            if (pixel_at(board, x, y) != CREAM) {
                b.x0 = std::min(b.x0, x), b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x), b.y1 = std::max(b.y1, y);
            }
    return b;
}

struct Example {
    const char *name;
    bool ladder;
    int x1, y1, x2, y2;
    int length;
    double angle;
    int strip_height;
    int px, py; // where the picture's top left goes
};

// The anchor points of the squares, worked out by hand.
const std::vector<Example> examples = {
    {"ladder 4 to 14", true, 206, 448, 254, 400, 67, 135, 69, 206, 400},
    {"ladder 1 to 21", true, 62, 448, 62, 352, 96, 180, 99, 62, 352},
    {"ladder 9 to 10", true, 446, 448, 446, 400, 48, 180, 54, 446, 400},
    {"ladder 12 to 15", true, 350, 400, 206, 400, 144, -90, 159, 206, 400},
    {"chute 30 to 12", false, 446, 304, 350, 400, 135, -45, 135, 350, 304},
    {"chute 21 to 1", false, 62, 352, 62, 448, 96, 0, 96, 62, 352},
    {"chute 3 to 3", false, 158, 448, 158, 448, 0, 90, 0, 158, 448},
};

TEST(Chutes, WorkedExamples)
{
    for (const Example &e : examples) {
        int dx = e.x2 - e.x1, dy = e.y2 - e.y1;
        EXPECT_EQ(strip_length(dx, dy), e.length) << e.name;
        EXPECT_NEAR(turn_angle(dx, dy), e.angle, 1e-9) << e.name;
        int height = e.ladder ? 15 * ladder_pieces(e.length) + 9 : e.length;
        EXPECT_EQ(height, e.strip_height) << e.name;

        fresh_board();
        begin_stdout_capture();
        if (e.ladder)
            makeladder(e.x1, e.y1, e.x2, e.y2);
        else
            makechute(e.x1, e.y1, e.x2, e.y2);
        std::string out = end_stdout_capture();
        std::string want = e.ladder ? "At start " + std::to_string(e.x1) + ", " + std::to_string(e.y1) +
                                          " to " + std::to_string(e.x2) + ", " + std::to_string(e.y2) + "\n"
                                    : "Unrotated chute format = 32\nRoto format = 32\nRoto format = 32\n";
        EXPECT_EQ(out, want) << e.name;

        // The turned picture lies below and right of the placement point and
        // within the strip's turned bounding box (plus the rotator's margin).
        Box b = changed_box();
        if (e.length == 0) {
            EXPECT_EQ(b.x1, -1) << e.name << " draws nothing";
            continue;
        }
        double a = e.angle * M_PI / 180;
        double w = std::fabs(20 * std::cos(a)) + std::fabs(e.strip_height * std::sin(a));
        double h = std::fabs(20 * std::sin(a)) + std::fabs(e.strip_height * std::cos(a));
        EXPECT_GE(b.x0, e.px) << e.name;
        EXPECT_GE(b.y0, e.py) << e.name;
        EXPECT_LE(b.x1, e.px + w + 2) << e.name;
        EXPECT_LE(b.y1, e.py + h + 2) << e.name;
        EXPECT_GE(b.x1 - b.x0 + 1, w - 3) << e.name;
        EXPECT_GE(b.y1 - b.y0 + 1, h - 3) << e.name;
    }
}

TEST(Chutes, LadderPiecesByLength)
{
    struct Case { int length, pieces; };
    for (Case c : std::vector<Case>{{0, 1}, {9, 1}, {23, 1}, {24, 2}, {38, 2}, {39, 3}, {48, 3}, {144, 10}})
        EXPECT_EQ(ladder_pieces(c.length), c.pieces) << "length " << c.length;
}

TEST(Chutes, LengthIsTheExactFloorOfTheDistance)
{
    for (int dx = -300; dx <= 300; dx += 7)
        for (int dy = -300; dy <= 300; dy += 3) {
            int l = strip_length(dx, dy);
            ASSERT_LE(l * l, dx * dx + dy * dy);
            ASSERT_GT((l + 1) * (l + 1), dx * dx + dy * dy);
        }
}

TEST(Chutes, ChuteStraightDownIsCopiedUpright)
{
    fresh_board();
    begin_stdout_capture();
    makechute(62, 352, 62, 448);
    end_stdout_capture();
    Box b = changed_box();
    EXPECT_EQ(b.x0, 62);
    EXPECT_EQ(b.y0, 352);
    EXPECT_EQ(b.x1, 81);
    EXPECT_EQ(b.y1, 447);
    for (int y : {352, 400, 447}) {
        EXPECT_EQ(pixel_at(board, 62, y), 0x990000u) << "edge at row " << y;
        EXPECT_EQ(pixel_at(board, 64, y), 0xff0000u) << "wall at row " << y;
        EXPECT_EQ(pixel_at(board, 70, y), 0xe0e0e0u) << "slide at row " << y;
    }
}

TEST(Chutes, LadderLetsTheBoardShowBetweenItsRails)
{
    fresh_board();
    begin_stdout_capture();
    makeladder(62, 448, 62, 352); // turned half a circle: the foot is at the bottom
    end_stdout_capture();
    int cream_between = 0, brown_rails = 0;
    for (int y = 360; y < 440; y++) {
        cream_between += pixel_at(board, 73, y) == CREAM;
        std::uint32_t rail = pixel_at(board, 66, y);
        brown_rails += rail == 0xd57e29 || rail == 0xa15f1f;
    }
    EXPECT_GT(cream_between, 40) << "the board shows between the rails";
    EXPECT_LT(cream_between, 80) << "rungs cross between the rails";
    EXPECT_GT(brown_rails, 70);
}

TEST(Chutes, LaterPictureLiesOnTop)
{
    fresh_board();
    begin_stdout_capture();
    makeladder(62, 448, 62, 352);
    makechute(62, 352, 62, 448);
    end_stdout_capture();
    EXPECT_EQ(pixel_at(board, 70, 400), 0xe0e0e0u);
}

} // namespace
