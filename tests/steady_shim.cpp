// Preloaded into the real programs by the end-to-end tests to make a run
// quick and repeatable: VARNOWICK_DELAY_DIVISOR=N makes every SDL_Delay last
// 1/N of its time (at least 1 ms), and VARNOWICK_DIE=F makes rand() always
// give F, so every roll shows face F % 6 + 1. Unset, both calls pass through.
// No SDL header or library: it is also loaded into helper programs such as
// valgrind's launcher, where it must do nothing.
#include <dlfcn.h>

#include <cstdint>
#include <cstdlib>

namespace {

long env_number(const char *name)
{
    const char *text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : -1;
}

} // namespace

extern "C" void SDL_Delay(std::uint32_t ms)
{
    using Delay = void (*)(std::uint32_t);
    static Delay next = reinterpret_cast<Delay>(dlsym(RTLD_NEXT, "SDL_Delay"));
    static long divisor = env_number("VARNOWICK_DELAY_DIVISOR");
    if (divisor > 1)
        ms = ms / std::uint32_t(divisor) > 0 ? ms / std::uint32_t(divisor) : 1;
    if (next != nullptr)
        next(ms);
}

extern "C" int rand() noexcept
{
    using Rand = int (*)();
    static Rand next = reinterpret_cast<Rand>(dlsym(RTLD_NEXT, "rand"));
    static long face = env_number("VARNOWICK_DIE");
    if (face >= 0)
        return int(face);
    return next();
}
