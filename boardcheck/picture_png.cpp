// The board picture: the game's start-up drawing on SDL's dummy video
// driver, written with libpng.
#include "picture.h"

#include "board.h"
#include "font.h"
#include "geometry.h"
#include "guards.h"
#include "paths.h"
#include "records.h"
#include "screen.h"
#include "tokens.h"

#include <SDL.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The top left BOARD_SIZE square of `surface` as 8-bit RGB rows.
std::vector<png_byte> board_rows(SDL_Surface *surface)
{
    std::vector<png_byte> rgb;
    rgb.reserve(std::size_t(BOARD_SIZE) * BOARD_SIZE * 3);
    SDL_LockSurface(surface);
    for (int y = 0; y < BOARD_SIZE; y++)
        for (int x = 0; x < BOARD_SIZE; x++) {
            const Uint8 *row = static_cast<const Uint8 *>(surface->pixels) + y * surface->pitch;
            Uint32 pixel = reinterpret_cast<const Uint32 *>(row)[x];
            Uint8 r, g, b;
            SDL_GetRGB(pixel, surface->format, &r, &g, &b);
            rgb.insert(rgb.end(), {r, g, b});
        }
    SDL_UnlockSurface(surface);
    return rgb;
}

void append_bytes(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<std::string *>(png_get_io_ptr(png))->append(reinterpret_cast<char *>(data), length);
}

void no_flush(png_structp) {}

// The rows as the bytes of a PNG file; false when libpng fails.
bool encode_png(std::vector<png_byte> &rgb, std::string &bytes)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = info != nullptr;
    if (ok && setjmp(png_jmpbuf(png)) == 0) {
        png_set_write_fn(png, &bytes, append_bytes, no_flush);
        png_set_IHDR(png, info, BOARD_SIZE, BOARD_SIZE, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < BOARD_SIZE; y++)
            png_write_row(png, &rgb[std::size_t(y) * BOARD_SIZE * 3]);
        png_write_end(png, nullptr);
    } else {
        ok = false;
    }
    png_destroy_write_struct(&png, &info);
    return ok;
}

} // namespace

int write_board_picture(const std::string &version, const std::string &png_path, std::ostream &err)
{
    std::string config = version_config_path(version);
    VersionFile file = read_version_file(config);
    if (!file.opened) {
        err << "Cannot open the version file " << config << ": " << file.fault << "\n"
            << "boardcheck: " << version_folder_hint(version) << "\n";
        return 2;
    }
    static char driver[] = "SDL_VIDEODRIVER=dummy"; // no window, whatever the display
    SDL_putenv(driver);
    prefer_software_video();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        err << "boardcheck: cannot start SDL's video: " << SDL_GetError() << "\n";
        return 2;
    }
    // As the game sets its window and board up; the game's lines on standard
    // output are not boardcheck's.
    std::optional<Failure> failed = open_window();
    if (!failed) {
        Font_setup();
        failed = build_board(version, true);
    }
    if (failed) {
        err << "boardcheck: " << failed->message;
        SDL_Quit();
        return 2;
    }
    setup_players();
    std::vector<png_byte> rgb = board_rows(screen);
    SDL_Quit();
    // Through an exclusive temporary, or in place for a device (mended: see
    // QUIRKS.md, 'whole files only').
    std::string bytes;
    std::string fault = encode_png(rgb, bytes) ? write_file_replacing(png_path, bytes)
                                               : std::string("the PNG could not be made");
    if (!fault.empty()) {
        err << "boardcheck: cannot write the picture " << png_path << ": " << fault << "\n";
        return 2;
    }
    return 0;
}
