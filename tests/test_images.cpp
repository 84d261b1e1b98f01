// The compiled-in pictures decode to the sizes and pixels the game relies on.
#include "images.h"
#include "screen.h"

#include "support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Pixel {
    const char *what;
    int x, y;
    std::uint32_t rgb;
};

SurfacePtr decode(const char *const xpm[])
{
    start_dummy_video();
    SurfacePtr s(read_xpm(xpm));
    EXPECT_NE(s, nullptr) << SDL_GetError();
    return s;
}

void expect_pixels(SDL_Surface *s, const std::vector<Pixel> &pixels)
{
    for (const Pixel &p : pixels)
        EXPECT_EQ(pixel_at(s, p.x, p.y), p.rgb) << p.what << " at (" << p.x << ", " << p.y << ")";
}

TEST(Images, DecodeToTheirSizes)
{
    struct Size { const char *name; const char *const *xpm; int w, h; };
    const std::vector<Size> sizes = {
        {"board", board_xpm, 480, 480},   {"die", die_xpm, 288, 48},
        {"letters", letters_xpm, 370, 12}, {"icon1", icon1_xpm, 20, 20},
        {"icon2", icon2_xpm, 20, 20},     {"ladder", ladder1_xpm, 20, 24},
        {"chute", chute1_xpm, 20, 1},
    };
    for (const Size &size : sizes) {
        SurfacePtr s = decode(size.xpm);
        ASSERT_NE(s, nullptr) << size.name;
        EXPECT_EQ(s->w, size.w) << size.name;
        EXPECT_EQ(s->h, size.h) << size.name;
    }
}

TEST(Images, BoardIsACheckerboardWithDarkLines)
{
    SurfacePtr s = decode(board_xpm);
    expect_pixels(s.get(), {
        {"top-left square is the yellower cream", 1, 1, 0xffffcc},
        {"its right neighbour is ivory", 49, 1, 0xfffff0},
        {"line at a square's right edge", 47, 1, 0x101010},
        {"line at the next square's left edge", 48, 1, 0x101010},
        {"outer edge line is one pixel", 0, 1, 0x101010},
        {"inside the outer edge", 1, 2, 0xffffcc},
        {"bottom-left square is ivory", 1, 478, 0xfffff0},
        {"bottom edge", 10, 479, 0x101010},
        {"two squares down the diagonal", 97, 97, 0xffffcc},
    });
    int dark = 0;
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 480; x++)
            dark += pixel_at(s.get(), x, y) == 0x101010;
    EXPECT_EQ(dark, 18800);
}

TEST(Images, DieFacesHaveRoundedCornersAndTheirPips)
{
    SurfacePtr s = decode(die_xpm);
    for (int f = 0; f < 6; f++) {
        int left = 48 * f;
        expect_pixels(s.get(), {
            {"inside the rounded corner", left + 4, 4, 0xffffff},
            {"corner", left + 0, 0, 0x000000},
            {"corner second row", left + 1, 1, 0x000000},
            {"corner fourth row", left + 0, 3, 0x000000},
            {"corner fifth row is white", left + 0, 4, 0xffffff},
            {"bottom-right corner", left + 47, 47, 0x000000},
            {"top-right corner's first row", left + 44, 0, 0x000000},
            {"next to it", left + 43, 0, 0xffffff},
        });
    }
    // Count each face's pips by their centre pixels: centres at box + (4, 4).
    const int centres[3] = {10, 24, 38};
    for (int f = 0; f < 6; f++) {
        int pips = 0;
        for (int cy : centres)
            for (int cx : centres)
                pips += pixel_at(s.get(), 48 * f + cx, cy) == 0;
        EXPECT_EQ(pips, f + 1) << "face " << f;
    }
    // A pip's rows are 4, 6, 8, 8, 8, 8, 6, 4 wide: the single pip of face 0.
    const int widths[8] = {4, 6, 8, 8, 8, 8, 6, 4};
    for (int r = 0; r < 8; r++) {
        int black = 0;
        for (int c = 0; c < 8; c++)
            black += pixel_at(s.get(), 20 + c, 20 + r) == 0;
        EXPECT_EQ(black, widths[r]) << "pip row " << r;
    }
}

// The glyph pixels of cell g as rows of '+' and '.'.
std::string glyph_art(SDL_Surface *s, int g)
{
    std::string art;
    for (int y = 0; y < 12; y++) {
        for (int x = 0; x < 10; x++)
            art += pixel_at(s, 10 * g + x, y) == 0x101010 ? '+' : '.';
        art += '\n';
    }
    return art;
}

TEST(Images, LetterStripCells)
{
    SurfacePtr s = decode(letters_xpm);
    std::string empty;
    for (int y = 0; y < 12; y++)
        empty += "..........\n";
    EXPECT_EQ(glyph_art(s.get(), 26), empty) << "the empty cell";
    for (int g = 0; g < 37; g++) {
        std::string art = glyph_art(s.get(), g);
        for (int y = 0; y < 12; y++)
            for (int x = 7; x < 10; x++)
                EXPECT_EQ(art[std::size_t(y * 11 + x)], '.') << "cell " << g << " spills at " << x << "," << y;
        if (g != 16) {
            EXPECT_EQ(art.substr(10 * 11), "..........\n..........\n") << "cell " << g;
        }
    }
    std::string q = glyph_art(s.get(), 16);
    EXPECT_EQ(q.substr(10 * 11), "....+.....\n.....++...\n") << "the Q's tail";
    EXPECT_EQ(glyph_art(s.get(), 0).substr(0, 11), "...+......\n") << "the A's apex";
}

TEST(Images, TokensArePawnsOnBlack)
{
    SurfacePtr red = decode(icon1_xpm);
    SurfacePtr blue = decode(icon2_xpm);
    // The pawn's width per row, from its head down to its foot.
    const int widths[20] = {0, 0, 4, 4, 4, 2, 2, 2, 4, 4, 6, 6, 8, 8, 12, 14, 16, 0, 0, 0};
    for (int y = 0; y < 20; y++) {
        int r = 0, b = 0;
        for (int x = 0; x < 20; x++) {
            r += pixel_at(red.get(), x, y) == 0xff0000;
            b += pixel_at(blue.get(), x, y) == 0x0000ff;
        }
        EXPECT_EQ(r, widths[y]) << "red row " << y;
        EXPECT_EQ(b, widths[y]) << "blue row " << y;
    }
    expect_pixels(red.get(), {{"foot's left end", 2, 16, 0xff0000}, {"beside the foot", 1, 16, 0}});
}

TEST(Images, LadderAndChuteRows)
{
    SurfacePtr ladder = decode(ladder1_xpm);
    const std::uint32_t dark = 0xa15f1f, light = 0xd57e29;
    for (int y : {0, 8, 13, 23})
        expect_pixels(ladder.get(), {{"rail edge", 0, y, dark}, {"rail", 1, y, light},
                                     {"between the rails", 10, y, 0}, {"right rail", 18, y, light}});
    for (int y : {9, 12})
        expect_pixels(ladder.get(), {{"rung edge", 10, y, dark}, {"rail", 2, y, light}});
    for (int y : {10, 11})
        expect_pixels(ladder.get(), {{"rung", 10, y, light}, {"rung's end", 19, y, dark}});

    SurfacePtr chute = decode(chute1_xpm);
    const std::uint32_t row[20] = {0x990000, 0xff0000, 0xff0000, 0x990000, 0xe0e0e0, 0xe0e0e0,
                                   0xe0e0e0, 0xe0e0e0, 0xe0e0e0, 0xe0e0e0, 0xe0e0e0, 0xe0e0e0,
                                   0xe0e0e0, 0xe0e0e0, 0xe0e0e0, 0xe0e0e0, 0x990000, 0xff0000,
                                   0xff0000, 0x990000};
    for (int x = 0; x < 20; x++)
        EXPECT_EQ(pixel_at(chute.get(), x, 0), row[x]) << "chute column " << x;
}

} // namespace
