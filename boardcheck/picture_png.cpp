// The board picture: the game's start-up drawing on SDL's dummy video
// driver, written with libpng.
#include "picture.h"

#include "board.h"
#include "font.h"
#include "geometry.h"
#include "paths.h"
#include "records.h"
#include "screen.h"
#include "tokens.h"

#include <SDL.h>
#include <png.h>

#include <cstdio>
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

// Writes the rows to `path`; false when the file could not be written whole.
bool write_png(const std::string &path, std::vector<png_byte> &rgb)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = info != nullptr;
    if (ok && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
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
    ok = std::fflush(file) == 0 && !std::ferror(file) && ok;
    return std::fclose(file) == 0 && ok;
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
    open_window(); // as the game sets its window up
    Font_setup();
    build_board(version, true); // the game's lines on standard output are not boardcheck's
    setup_players();
    std::vector<png_byte> rgb = board_rows(screen);
    SDL_Quit();
    std::string temporary = png_path + ".part";
    if (!write_png(temporary, rgb) || std::rename(temporary.c_str(), png_path.c_str()) != 0) {
        std::remove(temporary.c_str());
        err << "boardcheck: cannot write the picture " << png_path << "\n";
        return 2;
    }
    return 0;
}
