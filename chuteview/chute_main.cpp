// The chute preview tool: start-up, the three-piece chute and the display loop.
#include "chute_main.h"

#include "cmdline.h"
#include "geometry.h"
#include "paths.h"
#include "screen.h"
#include "xpmguard.h"

#include <SDL_image.h>
#include <SDL_rotozoom.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The chute stands on row 313; row 314 stays black above the white bar.
constexpr int CHUTE_BOTTOM = 314;
constexpr SDL_Rect WHITE_BAR{200, 315, 200, 50};

// How far one arrow-key release moves the point, and where it must stay.
constexpr int STEP = 48;
constexpr int MIN_X = 50;
constexpr int MAX_X = 500;
constexpr int MIN_Y = 40;
constexpr int MAX_Y = 200;

SDL_Surface *s_chute_picture = nullptr;
SDL_Surface *temp = nullptr;

bool load_chute_picture(const std::string &path)
{
    // The picture loader trusts an XPM's header: the guard holds it to the
    // file first, and the loader gets the very bytes that were checked.
    std::string bytes;
    XpmCheck check = check_xpm_file(path, bytes);
    if (!check.ok) {
        std::fprintf(stderr, "Cannot load the chute picture %s: %s\n", path.c_str(), check.fault.c_str());
        return false;
    }
    char type[] = "XPM"; // the loader the guard was written for, whatever else the bytes resemble
    SurfacePtr picture(
        IMG_LoadTyped_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1, type));
    if (picture == nullptr) {
        std::fprintf(stderr, "Cannot load the chute picture %s: %s\n", path.c_str(), IMG_GetError());
        return false;
    }
    if (picture->w < CHUTE_W || picture->h < PICTURE_ROWS) {
        std::fprintf(stderr, "The chute picture %s is %d x %d pixels; it must be at least %d x %d\n",
                     path.c_str(), picture->w, picture->h, CHUTE_W, PICTURE_ROWS);
        return false;
    }
    s_chute_picture = picture.release();
    return true;
}

double chute_angle(int dx, int dy)
{
    return std::atan2(double(dy), double(dx)) * DEGREES_PER_RADIAN + 90.0;
}

int chute_body_count(int length)
{
    return (length - 30) / 10;
}

int chute_strip_height(int count)
{
    return BODY_ROWS * count + 40;
}

static void copy_band(int from_row, int rows, SDL_Surface *strip, int to_row)
{
    SDL_Rect from{0, Sint16(from_row), CHUTE_W, Uint16(rows)};
    SDL_Rect to{0, Sint16(to_row), 0, 0};
    SDL_UpperBlit(s_chute_picture, &from, strip, &to);
}

// The upright strip: head, count + 1 body pieces, tail. With fewer than one
// body piece the tail follows the head and the strip's edge cuts it off.
static SurfacePtr build_strip(int count)
{
    int height = chute_strip_height(count);
    if (s_chute_picture == nullptr || height > INT16_MAX)
        return nullptr;
    SurfacePtr strip(SDL_CreateRGBSurface(0, CHUTE_W, height, 32, 0, 0, 0, 0));
    if (strip == nullptr)
        return nullptr;
    copy_band(0, HEAD_ROWS, strip.get(), 0);
    int row = HEAD_ROWS;
    for (int k = 0; k < count + 1; k++, row += BODY_ROWS)
        copy_band(HEAD_ROWS, BODY_ROWS, strip.get(), row);
    copy_band(HEAD_ROWS + BODY_ROWS, TAIL_ROWS, strip.get(), row);
    return strip;
}

SDL_Surface *make_preview_chute(int x1, int y1, int x2, int y2)
{
    int dx = x2 - x1;
    int dy = y2 - y1;
    SurfacePtr strip = build_strip(chute_body_count(strip_length(dx, dy)));
    if (strip == nullptr)
        return nullptr;
    return rotozoomSurface(strip.get(), chute_angle(dx, dy), 1.0, SMOOTHING_ON);
}

void draw_frame(int x, int y)
{
    temp = make_preview_chute(FIXED_X, FIXED_Y, x, y);
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    // Without a picture there is no chute to show, only the bar.
    if (temp != nullptr) {
        SDL_Rect to{FIXED_X, Sint16(CHUTE_BOTTOM - temp->h), 0, 0};
        SDL_UpperBlit(temp, nullptr, screen, &to);
    }
    SDL_Rect bar = WHITE_BAR;
    SDL_FillRect(screen, &bar, SDL_MapRGB(screen->format, 255, 255, 255));
    SDL_UpdateRect(screen, 0, 0, 0, 0);
    SDL_FreeSurface(temp);
    temp = nullptr;
}

// Arrow keys act on release only, so holding one moves the point once.
static void move_point(SDLKey key, int &x, int &y)
{
    switch (key) {
    case SDLK_RIGHT: x = x + STEP > MAX_X ? MAX_X : x + STEP; break;
    case SDLK_LEFT: x = x - STEP < MIN_X ? MIN_X : x - STEP; break;
    case SDLK_UP: y = y - STEP < MIN_Y ? MIN_Y : y - STEP; break;
    case SDLK_DOWN: y = y + STEP > MAX_Y ? MAX_Y : y + STEP; break;
    default: break;
    }
}

bool handle_event(const SDL_Event &event, int &x, int &y)
{
    if (event.type == SDL_QUIT) {
        std::puts("SDL QUIT called "); // (kept: see QUIRKS.md, 'SDL QUIT blank')
        return false;
    }
    if (event.type != SDL_KEYUP)
        return true;
    if (event.key.keysym.sym == SDLK_ESCAPE) {
        std::puts("Quit Button pressed");
        return false;
    }
    move_point(event.key.keysym.sym, x, y);
    return true;
}

// Waits for the next event; a failed wait would leave nothing to act on and
// the loop spinning, so it ends the program.
static SDL_Event next_event()
{
    SDL_Event event;
    if (SDL_WaitEvent(&event) == 0) {
        std::fprintf(stderr, "Error waiting for events: %s\n", SDL_GetError());
        std::exit(1);
    }
    return event;
}

// --help and --version; any argument is a usage error, as the tool takes
// none. -1 when there is none, else the status to end with.
static int read_command_line(int argc, char **argv)
{
    OptionsRead read = read_options(argc, argv, {});
    if (read.end == OptionsEnd::GO_ON && read.first < argc) {
        read.end = OptionsEnd::USAGE_ERROR;
        read.fault = "takes no arguments, not \"" + std::string(argv[read.first]) + "\"";
    }
    if (read.end == OptionsEnd::HELP)
        std::printf("Usage: chuteview\nPreviews %s: the arrow keys move its end, Escape quits.\n",
                    CHUTE_PICTURE);
    else if (read.end == OptionsEnd::VERSION)
        std::printf("%s\n", version_line("chuteview").c_str());
    else if (read.end == OptionsEnd::USAGE_ERROR)
        std::fprintf(stderr, "chuteview: %s\nUsage: chuteview\n", read.fault.c_str());
    return options_status(read.end);
}

// C linkage: SDL's main wrapper calls it by that name on Windows.
extern "C" int SDL_main(int argc, char **argv)
{
    if (int status = read_command_line(argc, argv); status >= 0)
        return status;
    std::optional<Failure> fault = start_SDL(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    if (!fault)
        fault = open_window();
    if (fault) {
        say_failure(*fault);
        std::exit(fault->status);
    }
    if (!load_chute_picture(CHUTE_PICTURE))
        std::exit(1);
    int x = START_X;
    int y = START_Y;
    for (;;) {
        draw_frame(x, y);
        if (!handle_event(next_event(), x, y))
            std::exit(0);
    }
}
