// Preloaded into the real programs by the end-to-end tests to make a run
// quick and repeatable: VARNOWICK_DELAY_DIVISOR=N makes every SDL_Delay last
// 1/N of its time (at least 1 ms), and VARNOWICK_DIE="3,5,1" fixes the rolls:
// every face drawn during the first roll is 3, during the second 5, and so
// on, starting again after the last. A roll is told from the next by the walk
// between them: every roll moves a token at least one square, and a walk step
// is the game's only wait of 800 ms (under the game's own options, its waits
// watch the window and sleep that step in slices of 100 ms, the only ones),
// so the first rand() after such a wait begins the next roll. That holds whoever stops the die: the space bar, any
// button, or the computer, whose wait is drawn from rand() too. Unset, every
// call passes through.
// VARNOWICK_FIRST_WAIT=1 prints "first wait after N ms" on standard error at
// the program's first SDL_Delay, N counted from when the shim was loaded: the
// time the program took to start up and draw before it first waits (the
// menu's first frame, or the game's board and tokens).
// No SDL header or library: it is also loaded into helper programs such as
// valgrind's launcher, where it must do nothing.
#include <dlfcn.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

long env_number(const char *name)
{
    const char *text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : -1;
}

constexpr std::uint32_t WALK_STEP_MS = 800; // the game's wait after each square walked
constexpr std::uint32_t WATCH_SLICE_MS = 100; // a slice of it, watching the window

// The fixed rolls, and the one now being rolled.
struct Rolls {
    std::vector<int> rolls;
    std::size_t now = 0;
    bool walked = false; // a walk step since the last rand(): the next roll begins
    Rolls()
    {
        const char *text = std::getenv("VARNOWICK_DIE");
        for (const char *p = text; p != nullptr && *p != '\0'; p++)
            if (*p >= '1' && *p <= '6')
                rolls.push_back(*p - '0');
    }
};

Rolls &fixed_rolls()
{
    static Rolls r;
    return r;
}

const auto loaded = std::chrono::steady_clock::now();

} // namespace

extern "C" void SDL_Delay(std::uint32_t ms)
{
    static bool waited = false;
    if (!waited && env_number("VARNOWICK_FIRST_WAIT") == 1)
        std::fprintf(stderr, "first wait after %.1f ms\n",
                     std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - loaded).count());
    waited = true;
    using Delay = void (*)(std::uint32_t);
    static Delay next = reinterpret_cast<Delay>(dlsym(RTLD_NEXT, "SDL_Delay"));
    static long divisor = env_number("VARNOWICK_DELAY_DIVISOR");
    if (ms == WALK_STEP_MS || ms == WATCH_SLICE_MS)
        fixed_rolls().walked = true;
    if (divisor > 1)
        ms = ms / std::uint32_t(divisor) > 0 ? ms / std::uint32_t(divisor) : 1;
    if (next != nullptr)
        next(ms);
}

extern "C" int rand() noexcept
{
    using Rand = int (*)();
    static Rand next = reinterpret_cast<Rand>(dlsym(RTLD_NEXT, "rand"));
    Rolls &r = fixed_rolls();
    if (r.rolls.empty())
        return next();
    if (r.walked) {
        r.now++;
        r.walked = false;
    }
    return r.rolls[r.now % r.rolls.size()] - 1; // the game's face is rand() % 6
}
