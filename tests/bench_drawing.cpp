// What the game draws on top of its fixed pauses: one slide frame, one walk
// step's token redraw and one note, each against the 50 ms frame. Runs on
// whatever video driver SDL_VIDEODRIVER names (dummy, or x11 under Xvfb).
#include "board.h"
#include "squares.h"
#include "font.h"
#include "note.h"
#include "screen.h"
#include "slide.h"
#include "support.h"
#include "tokens.h"

#include <SDL_gfxPrimitives.h>
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>

extern "C" void __wrap_SDL_Delay(Uint32) {} // the pauses are not ours to measure

namespace {

constexpr double FRAME_US = 50000.0;
constexpr int SLIDE_FRAMES = 86; // square 3 to square 22 for Player 1
std::array<char, 3328> font;

void start_game_screen()
{
    prefer_software_video(); // as the game does
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        std::exit(1);
    }
    screen_flags = SDL_SRCCOLORKEY;
    change_screen(640, 480);
    Font_setup();
    std::ifstream(data_folder() + "/image/6x13.fnt", std::ios::binary).read(font.data(), font.size());
    gfxPrimitivesSetFont(font.data(), 6, 13);
    std::string mivo = data_folder() + "/mivo/mivo.config";
    enter_scratch_folder("bench");
    write_file("mivo/mivo.config", read_file(mivo));
    build_board("mivo", false);
    setup_players();
}

// Seconds of drawing per frame, and that as a share of the 50 ms frame.
void report_share(benchmark::State &state, double frames_per_call)
{
    double frames = frames_per_call * double(state.iterations());
    state.counters["s_per_frame"] = benchmark::Counter(
        frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["pct_of_50ms"] = benchmark::Counter(
        frames * (FRAME_US / 1e6 / 100.0), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_SlideFrame(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        set_dest(0, 3);
        state.ResumeTiming();
        slide(0, 3, 22);
    }
    report_share(state, SLIDE_FRAMES);
}

void BM_WalkStepRedraw(benchmark::State &state)
{
    int square = 0;
    for (auto _ : state) {
        SDL_Rect left = blist[square]->rect;
        square = (square + 1) % 99;
        player[0].square = square;
        SDL_Rect &d = player[0].dest; // set_dest without its diagnostic line
        d.x = Sint16(blist[square]->rect.x + 4);
        d.y = Sint16(blist[square]->rect.y + 4);
        redraw_tokens(left);
    }
    report_share(state, 1);
}

void BM_DisplayNote(benchmark::State &state)
{
    const char *note = " You read a book before bed instead of watching TV. Climb up!\n";
    for (auto _ : state)
        display_note(note, 23, 490, 300, 6, 15);
    report_share(state, 1);
}

BENCHMARK(BM_SlideFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WalkStepRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DisplayNote)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    start_game_screen();
    // The report goes to standard error; the slide's diagnostic lines on
    // standard output are thrown away.
    benchmark::ConsoleReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    std::freopen("/dev/null", "w", stdout);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}
