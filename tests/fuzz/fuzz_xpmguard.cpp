// Fuzz target: the picture guard, and the picture loader on every input the
// guard passes: no read outside a buffer, no hang, and a loaded picture has
// the size the guard read from its header.
#include "xpmguard.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// How many inputs reached the real loader, said at the end of a run.
static long passed = 0;

static void say_passed()
{
    std::fprintf(stderr, "inputs passed to the picture loader: %ld\n", passed);
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    std::atexit(say_passed);
    if (SDL_Init(SDL_INIT_VIDEO) == -1) {
        std::fprintf(stderr, "no video (is SDL_VIDEODRIVER=dummy set?): %s\n", SDL_GetError());
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char *>(data), size);
    XpmCheck check = check_xpm_bytes(bytes);
    if (!check.ok)
        return 0;
    passed++;
    char type[] = "XPM";
    SDL_Surface *picture =
        IMG_LoadTyped_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1, type);
    // A colour name the loader does not know still refuses the picture.
    if (picture == nullptr)
        return 0;
    if (picture->w != check.width || picture->h != check.height) {
        std::fprintf(stderr, "the guard read %d x %d, the loader made %d x %d\n", check.width,
                     check.height, picture->w, picture->h);
        std::abort();
    }
    SDL_FreeSurface(picture);
    return 0;
}
