// Preloaded into the real programs by the end-to-end tests to make a run
// quick and repeatable: VARNOWICK_DELAY_DIVISOR=N makes every SDL_Delay last
// 1/N of its time (at least 1 ms), and VARNOWICK_DIE="3,5,1" fixes the rolls:
// every face drawn during the first roll is 3, during the second 5, and so
// on, starting again after the last (a roll ends when SDL_PollEvent hands over
// a release of the space bar). Unset, every call passes through.
// No SDL header or library: it is also loaded into helper programs such as
// valgrind's launcher, where it must do nothing.
#include <dlfcn.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

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

namespace {

// The fixed rolls, and the one now being rolled.
struct Rolls {
    std::vector<int> rolls;
    std::size_t now = 0;
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

// SDL 1.2's event: the type in the first byte; for a key, its symbol at
// byte 8 (after type, which, state and the keysym's scancode, aligned).
constexpr unsigned char KEYUP_EVENT = 3;
constexpr int SPACE_KEY = 32;

} // namespace

extern "C" int rand() noexcept
{
    using Rand = int (*)();
    static Rand next = reinterpret_cast<Rand>(dlsym(RTLD_NEXT, "rand"));
    Rolls &r = fixed_rolls();
    if (!r.rolls.empty())
        return r.rolls[r.now % r.rolls.size()] - 1; // the game's face is rand() % 6
    return next();
}

extern "C" int SDL_PollEvent(void *event)
{
    using Poll = int (*)(void *);
    static Poll next = reinterpret_cast<Poll>(dlsym(RTLD_NEXT, "SDL_PollEvent"));
    if (next == nullptr)
        return 0;
    int got = next(event);
    if (got == 1 && event != nullptr) {
        const unsigned char *bytes = static_cast<const unsigned char *>(event);
        int sym;
        std::memcpy(&sym, bytes + 8, sizeof sym);
        if (bytes[0] == KEYUP_EVENT && sym == SPACE_KEY)
            fixed_rolls().now++;
    }
    return got;
}
