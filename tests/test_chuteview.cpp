// The chute previewer: chute geometry, the three bands of the strip, the
// moving point's bounds, the first frame's pixels and the picture checks.
#include "chute_main.h"
#include "geometry.h"
#include "paths.h"
#include "screen.h"

#include "pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

// The tool's window and the shipped picture (the tests run in data/).
void start_tool()
{
    if (screen != nullptr)
        return;
    start_SDL(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    open_window();
    ASSERT_TRUE(load_chute_picture(CHUTE_PICTURE));
}

// The picture row that row r of an upright strip with `count` shows: the
// head, then body rows over and over, then the tail.
int picture_row(int r, int count)
{
    int body_end = HEAD_ROWS + BODY_ROWS * std::max(count + 1, 0);
    if (r < HEAD_ROWS)
        return r;
    if (r < body_end)
        return HEAD_ROWS + (r - HEAD_ROWS) % BODY_ROWS;
    return HEAD_ROWS + BODY_ROWS + (r - body_end);
}

SDL_Event key_up(SDLKey key)
{
    SDL_Event e{};
    e.type = SDL_KEYUP;
    e.key.type = SDL_KEYUP;
    e.key.keysym.sym = key;
    return e;
}

} // namespace

TEST(ChuteGeometry, LengthCountHeightAndAngle)
{
    struct Case { const char *name; int x2, y2, length, count, height; double angle; };
    const Case cases[] = {
        {"first frame", 200, 100, 100, 7, 110, 0},
        {"on the fixed point", 200, 200, 0, -3, 10, 90},
        {"length 1", 201, 200, 1, -2, 20, 90},
        {"length 10", 200, 190, 10, -2, 20, 0},
        {"length 11", 211, 200, 11, -1, 30, 90},
        {"length 20", 200, 180, 20, -1, 30, 0},
        {"length 21", 200, 179, 21, 0, 40, 0},
        {"length 39", 200, 161, 39, 0, 40, 0},
        {"length 40", 200, 160, 40, 1, 50, 0},
        {"length 49", 200, 151, 49, 1, 50, 0},
        {"length 50", 200, 150, 50, 2, 60, 0},
        {"3-4-5", 203, 196, 5, -2, 20, 90 - 53.13010235415598},
        {"7,7 rounds down", 207, 193, 9, -2, 20, 45},
        {"far right, top", 500, 40, 340, 31, 350, 90 - 28.072486935852954},
        {"flat right", 500, 200, 300, 27, 310, 90},
        {"flat left", 50, 200, 150, 12, 160, 270},
        {"up and left", 152, 152, 67, 3, 70, -45},
    };
    for (const Case &c : cases) {
        int dx = c.x2 - FIXED_X, dy = c.y2 - FIXED_Y;
        int length = strip_length(dx, dy);
        EXPECT_EQ(length, c.length) << c.name;
        EXPECT_EQ(chute_body_count(length), c.count) << c.name;
        EXPECT_EQ(chute_strip_height(chute_body_count(length)), c.height) << c.name;
        EXPECT_NEAR(chute_angle(dx, dy), c.angle, 1e-9) << c.name;
    }
}

// Every point the moving point can reach: the length is the exact distance
// rounded down, worked out by integer search.
TEST(ChuteGeometry, LengthIsTheFlooredDistanceEverywhereInBounds)
{
    for (int x = 50; x <= 500; x++)
        for (int y = 40; y <= 200; y++) {
            int dx = x - FIXED_X, dy = y - FIXED_Y, sq = dx * dx + dy * dy;
            int root = 0;
            while ((root + 1) * (root + 1) <= sq)
                root++;
            ASSERT_EQ(strip_length(dx, dy), root) << "point " << x << "," << y;
        }
}

// An upright chute (moving point straight above) is the strip untouched, so
// each of its pixels must be the picture's pixel of the band it falls in.
TEST(Makechute, UprightStripShowsHeadBodyPiecesAndTail)
{
    start_tool();
    for (int length : {1, 10, 11, 20, 21, 39, 40, 100, 160}) {
        int count = chute_body_count(length);
        SurfacePtr chute(make_preview_chute(FIXED_X, FIXED_Y, FIXED_X, FIXED_Y - length));
        ASSERT_NE(chute, nullptr) << "length " << length;
        ASSERT_EQ(chute->w, CHUTE_W) << "length " << length;
        ASSERT_EQ(chute->h, chute_strip_height(count)) << "length " << length;
        for (int r = 0; r < chute->h; r++)
            for (int c = 0; c < CHUTE_W; c++)
                ASSERT_EQ(pixel_at(chute.get(), c, r), pixel_at(s_chute_picture, c, picture_row(r, count)))
                    << "length " << length << " column " << c << " row " << r;
    }
}

// A chute turned flat lies along the x axis: as wide as its strip is tall
// and a little over 20 rows high (the smoothing's margin).
TEST(Makechute, ChuteTurnedFlatLiesAlongTheRow)
{
    start_tool();
    struct Case { const char *name; int x2, y2; };
    const Case cases[] = {
        {"on the fixed point", 200, 200},
        {"flat right", 500, 200},
        {"flat left", 50, 200},
    };
    for (const Case &c : cases) {
        int height = chute_strip_height(chute_body_count(strip_length(c.x2 - FIXED_X, c.y2 - FIXED_Y)));
        SurfacePtr chute(make_preview_chute(FIXED_X, FIXED_Y, c.x2, c.y2));
        ASSERT_NE(chute, nullptr) << c.name;
        EXPECT_EQ(chute->format->BitsPerPixel, 32) << c.name;
        EXPECT_GE(chute->w, height) << c.name;
        EXPECT_LE(chute->w, height + 2) << c.name;
        EXPECT_GE(chute->h, CHUTE_W) << c.name;
        EXPECT_LE(chute->h, CHUTE_W + 2) << c.name;
    }
}

TEST(Makechute, StripTooTallForARectangleGivesNoChute)
{
    start_tool();
    EXPECT_EQ(SurfacePtr(make_preview_chute(0, 0, 0, -40000)), nullptr);
}

TEST(FirstFrame, ChuteStandsOnRow313AboveTheWhiteBar)
{
    start_tool();
    draw_frame(START_X, START_Y);
    const std::uint32_t black = 0x000000, white = 0xffffff, lip = 0x990000;
    struct Case { const char *name; int x, y; std::uint32_t colour; };
    const Case cases[] = {
        {"chute's top row (head)", 210, 204, lip},
        {"above the chute", 210, 203, black},
        {"chute's lowest row (tail's lip)", 210, 313, lip},
        {"row 314 under the chute", 210, 314, black},
        {"row 314 at the chute's left", 200, 314, black},
        {"body wall", 201, 250, 0xff0000},
        {"left of the chute", 199, 250, black},
        {"right of the chute", 220, 250, black},
        {"bar's top left", 200, 315, white},
        {"bar's bottom right", 399, 364, white},
        {"left of the bar", 199, 315, black},
        {"right of the bar", 400, 340, black},
        {"under the bar", 300, 365, black},
        {"far corner", 639, 479, black},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pixel_at(screen, c.x, c.y), c.colour) << c.name;
    EXPECT_EQ(temp, nullptr) << "the frame's chute is freed after the frame";
}

TEST(FirstFrame, WithoutAPictureOnlyTheBarIsDrawn)
{
    start_tool();
    SDL_Surface *kept = s_chute_picture;
    s_chute_picture = nullptr;
    draw_frame(START_X, START_Y);
    s_chute_picture = kept;
    EXPECT_EQ(pixel_at(screen, 210, 313), 0x000000u);
    EXPECT_EQ(pixel_at(screen, 210, 204), 0x000000u);
    EXPECT_EQ(pixel_at(screen, 300, 340), 0xffffffu);
}

TEST(MovingPoint, RepeatedReleasesStopAtTheBounds)
{
    struct Case { const char *name; SDLKey key; std::vector<int> seen; bool moves_x; };
    const Case cases[] = {
        {"right", SDLK_RIGHT, {248, 296, 344, 392, 440, 488, 500, 500}, true},
        {"left", SDLK_LEFT, {152, 104, 56, 50, 50}, true},
        {"up", SDLK_UP, {52, 40, 40}, false},
        {"down", SDLK_DOWN, {148, 196, 200, 200}, false},
    };
    for (const Case &c : cases) {
        int x = START_X, y = START_Y;
        for (int expected : c.seen) {
            ASSERT_TRUE(handle_event(key_up(c.key), x, y)) << c.name;
            EXPECT_EQ(c.moves_x ? x : y, expected) << c.name;
            EXPECT_EQ(c.moves_x ? y : x, c.moves_x ? START_Y : START_X) << c.name;
        }
    }
}

TEST(MovingPoint, RandomReleasesStayInBoundsAndMoveBy48OrToTheBound)
{
    std::mt19937 rng(5);
    const SDLKey arrows[] = {SDLK_RIGHT, SDLK_LEFT, SDLK_UP, SDLK_DOWN};
    int x = START_X, y = START_Y;
    for (int i = 0; i < 5000; i++) {
        int old_x = x, old_y = y;
        ASSERT_TRUE(handle_event(key_up(arrows[rng() % 4]), x, y));
        ASSERT_TRUE(x >= 50 && x <= 500 && y >= 40 && y <= 200) << x << "," << y;
        int moved = std::abs(x - old_x) + std::abs(y - old_y);
        bool at_bound = x == 50 || x == 500 || y == 40 || y == 200;
        ASSERT_TRUE(moved == 48 || (moved < 48 && at_bound)) << "step " << i;
    }
}

TEST(MovingPoint, OtherEventsChangeNothing)
{
    SDL_Event press = key_up(SDLK_RIGHT);
    press.type = press.key.type = SDL_KEYDOWN;
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 300;
    const SDL_Event events[] = {press, key_up(SDLK_SPACE), key_up(SDLK_a), motion};
    for (const SDL_Event &e : events) {
        int x = START_X, y = START_Y;
        testing::internal::CaptureStdout();
        EXPECT_TRUE(handle_event(e, x, y)) << "event type " << int(e.type);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(x, START_X);
        EXPECT_EQ(y, START_Y);
    }
}

TEST(MovingPoint, EscapeAndQuitEndWithTheirLine)
{
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    struct Case { const char *name; SDL_Event event; const char *line; };
    const Case cases[] = {
        {"Escape released", key_up(SDLK_ESCAPE), "Quit Button pressed\n"},
        {"window closed", quit, "SDL QUIT called \n"},
    };
    for (const Case &c : cases) {
        int x = START_X, y = START_Y;
        std::fflush(stdout);
        testing::internal::CaptureStdout();
        bool goes_on = handle_event(c.event, x, y);
        std::fflush(stdout);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.line) << c.name;
        EXPECT_FALSE(goes_on) << c.name;
    }
}

TEST(ChutePicture, ShippedPictureHasTheThreeBands)
{
    start_tool();
    ASSERT_GE(s_chute_picture->w, CHUTE_W);
    ASSERT_GE(s_chute_picture->h, PICTURE_ROWS);
    // The body repeats: its last row must lead into its first without a gap,
    // and the tail's last row is drawn so the chute's lowest row shows.
    for (int c = 0; c < CHUTE_W; c++)
        EXPECT_EQ(pixel_at(s_chute_picture, c, HEAD_ROWS + BODY_ROWS - 1), pixel_at(s_chute_picture, c, HEAD_ROWS + 1)) << c;
    EXPECT_NE(pixel_at(s_chute_picture, CHUTE_W / 2, PICTURE_ROWS - 1), 0x000000u);
}

TEST(ChutePicture, BadPicturesAreRefusedNamingTheFile)
{
    start_tool();
    const std::string dir = testing::TempDir();
    const std::string small = dir + "small_chute.xpm", junk = dir + "junk_chute.xpm";
    std::ofstream(small) << "/* XPM */\nstatic char *x[] = {\n\"20 39 1 1\",\n\". c #FF0000\",\n"
                         << [] { std::string r; for (int i = 0; i < 39; i++) r += "\"....................\",\n"; return r; }()
                         << "};\n";
    std::ofstream(junk) << "not a picture\n";
    struct Case { const char *name; std::string path; const char *says; };
    const Case cases[] = {
        {"missing", dir + "no_such_chute.xpm", "Cannot load the chute picture "},
        {"not a picture", junk, "Cannot load the chute picture "},
        {"one row short", small, "is 20 x 39 pixels; it must be at least 20 x 40"},
    };
    SDL_Surface *kept = s_chute_picture;
    for (const Case &c : cases) {
        testing::internal::CaptureStderr();
        bool loaded = load_chute_picture(c.path);
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(loaded) << c.name;
        EXPECT_NE(err.find(c.path), std::string::npos) << c.name << ": " << err;
        EXPECT_NE(err.find(c.says), std::string::npos) << c.name << ": " << err;
        EXPECT_EQ(s_chute_picture, kept) << c.name;
    }
}
