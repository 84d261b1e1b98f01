// Fuzz target: Font_Write with arbitrary bytes (128 to 255 included) at an
// arbitrary position on a small surface, run under AddressSanitizer so that a
// read outside the glyph tables stops it. The surface must then show exactly
// each character's glyph 10 pixels after the previous one, and nothing else.
#include "font.h"
#include "images.h"
#include "pixels.h"

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int W = 120, H = 20;
constexpr Uint32 BACKGROUND = 0x00123456;

SDL_Surface *canvas = nullptr;
std::vector<Uint32> strip; // the letter strip's colours, 0 where transparent
int strip_w = 0;

// The glyph a byte should show, worked out apart from the font's own table.
int expected_glyph(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a';
    if (c >= '0' && c <= '9')
        return 27 + (c - '0');
    return FONT_EMPTY_GLYPH;
}

// Fills want with what the canvas should hold after the text is written.
void expected_picture(const std::string &text, int x0, int y0, std::vector<Uint32> &want)
{
    want.assign(std::size_t(W * H), BACKGROUND);
    for (std::size_t i = 0; i < text.size(); i++) {
        long cell_x = x0 + long(i) * FONT_CELL_W;
        if (cell_x >= W)
            break;
        if (cell_x + FONT_CELL_W <= 0)
            continue;
        int g = expected_glyph(static_cast<unsigned char>(text[i]));
        for (int y = 0; y < FONT_CELL_H; y++)
            for (int x = 0; x < FONT_CELL_W; x++) {
                long tx = cell_x + x, ty = long(y0) + y;
                Uint32 p = strip[std::size_t(y * strip_w + FONT_CELL_W * g + x)];
                if (p != 0 && tx >= 0 && tx < W && ty >= 0 && ty < H)
                    want[std::size_t(ty * W + tx)] = p;
            }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Font_setup();
    if (Font_surface == nullptr) {
        std::fprintf(stderr, "no letter strip: %s\n", SDL_GetError());
        std::abort();
    }
    strip_w = Font_surface->w;
    for (int y = 0; y < FONT_CELL_H; y++)
        for (int x = 0; x < strip_w; x++)
            strip.push_back(pixel_at(Font_surface, x, y));
    canvas = SDL_CreateRGBSurface(SDL_SWSURFACE, W, H, 32, 0xff0000, 0xff00, 0xff, 0);
    return 0;
}

// Input: x and y as two 16-bit little-endian numbers, widened so that
// positions far off the surface and past the 16-bit range occur, then the
// text (up to its first NUL).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 5)
        return 0;
    int x = std::int16_t(data[0] | data[1] << 8) * ((data[4] & 1) ? 3 : 1);
    int y = std::int16_t(data[2] | data[3] << 8) * ((data[4] & 2) ? 3 : 1);
    std::string text(reinterpret_cast<const char *>(data + 5), size - 5);
    text = text.c_str();

    SDL_Rect all{0, 0, W, H};
    SDL_FillRect(canvas, &all, BACKGROUND);
    Font_Write(canvas, x, y, text.c_str());
    static std::vector<Uint32> want;
    expected_picture(text, x, y, want);
    // The canvas is 0xRRGGBB per pixel, so its rows compare as they are.
    for (int py = 0; py < H; py++) {
        const Uint32 *row = reinterpret_cast<const Uint32 *>(
            static_cast<const Uint8 *>(canvas->pixels) + py * canvas->pitch);
        for (int px = 0; px < W; px++)
            if (row[px] != want[std::size_t(py * W + px)]) {
                std::fprintf(stderr, "pixel (%d, %d) of a %zu-byte text at (%d, %d) is %06x, expected %06x\n",
                             px, py, text.size(), x, y, row[px], want[std::size_t(py * W + px)]);
                std::abort();
            }
    }
    return 0;
}
