// The bitmap font writes the letter strip's glyphs, 10 pixels apart, and
// leaves everything else of the background alone.
#include "font.h"
#include "images.h"
#include "screen.h"

#include "support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::uint32_t CREAM = 0xffffcc;
constexpr int W = 200, H = 16;

SurfacePtr cream_surface()
{
    start_dummy_video();
    SurfacePtr s(SDL_ConvertSurface(screen, screen->format, 0));
    SDL_Rect all{0, 0, Uint16(s->w), Uint16(s->h)};
    SDL_FillRect(s.get(), &all, SDL_MapRGB(s->format, 0xff, 0xff, 0xcc));
    return s;
}

// What a text should look like: for each character, the glyph's pixels from
// the strip, cream wherever the strip is black. -1 stands for the empty cell.
std::vector<std::uint32_t> expected_picture(const std::vector<int> &glyphs, int x0, int y0)
{
    SurfacePtr strip(read_xpm(letters_xpm));
    std::vector<std::uint32_t> want(std::size_t(W * H), CREAM);
    for (std::size_t i = 0; i < glyphs.size(); i++) {
        if (glyphs[i] < 0)
            continue;
        for (int y = 0; y < 12; y++)
            for (int x = 0; x < 10; x++) {
                std::uint32_t p = pixel_at(strip.get(), 10 * glyphs[i] + x, y);
                int tx = x0 + int(i) * 10 + x, ty = y0 + y;
                if (p != 0 && tx < W && ty < H)
                    want[std::size_t(ty * W + tx)] = p;
            }
    }
    return want;
}

int differing_pixels(SDL_Surface *s, const std::vector<std::uint32_t> &want)
{
    int differ = 0;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            differ += pixel_at(s, x, y) != want[std::size_t(y * W + x)];
    return differ;
}

TEST(Font, WritesGlyphsTenPixelsApart)
{
    struct Case { const char *name; std::string text; std::vector<int> glyphs; };
    const std::vector<Case> cases = {
        {"empty text", "", {}},
        {"a square number", "07", {27, 34}},
        {"lower case draws capitals", "abz", {0, 1, 25}},
        {"a blank is an empty cell", "A B", {0, -1, 1}},
        {"punctuation and line end are empty", "Q.\n9", {16, -1, -1, 36}},
        {"bytes of 128 and above are empty", "\x80Z\xff", {-1, 25, -1}},
        {"the whole alphabet and digits", "ABCDEFGHIJKLMNOPQRS", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10,
                                                               11, 12, 13, 14, 15, 16, 17, 18}},
        {"digits", "0123456789", {27, 28, 29, 30, 31, 32, 33, 34, 35, 36}},
    };
    for (const Case &c : cases) {
        SurfacePtr s = cream_surface();
        Font_Write(s.get(), 3, 2, c.text.c_str());
        EXPECT_EQ(differing_pixels(s.get(), expected_picture(c.glyphs, 3, 2)), 0) << c.name;
    }
}

TEST(Font, OnlyGlyphPixelsChange)
{
    SurfacePtr s = cream_surface();
    Font_Write(s.get(), 0, 0, "WQ8");
    int ink = 0;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            std::uint32_t p = pixel_at(s.get(), x, y);
            EXPECT_TRUE(p == CREAM || p == 0x101010) << "colour " << std::hex << p;
            ink += p == 0x101010;
        }
    EXPECT_GT(ink, 40);
}

TEST(Font, TextPastTheSurfaceEdgeIsClipped)
{
    SurfacePtr s = cream_surface();
    Font_Write(s.get(), W - 15, H - 6, "88");
    Font_Write(s.get(), -5, -3, "8");
    EXPECT_EQ(pixel_at(s.get(), W - 1, H - 1), CREAM);
}

// SDL positions are 16-bit: a long text must not wrap round onto the surface.
TEST(Font, PositionsBeyondSixteenBitsDrawNothing)
{
    struct Case { const char *name; int x, y; std::size_t length; std::vector<int> glyphs; int at; };
    const std::vector<Case> cases = {
        {"text running past 32767", 32000, 2, 3360, {}, 3},
        {"start far left, tail on the surface", -40000, 2, 4003, {0, 0, 0}, 0},
        {"y beyond 16 bits", 3, 65538, 1, {}, 3},
    };
    for (const Case &c : cases) {
        SurfacePtr s = cream_surface();
        Font_Write(s.get(), c.x, c.y, std::string(c.length, 'A').c_str());
        EXPECT_EQ(differing_pixels(s.get(), expected_picture(c.glyphs, c.at, 2)), 0) << c.name;
    }
}

} // namespace
