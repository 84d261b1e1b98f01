// The game test fixture and the linker wraps that make turns run at once.
#include "game_fixture.h"

#include "board.h"
#include "squares.h"
#include "die.h"
#include "screen.h"
#include "support.h"
#include "tokens.h"

#include <SDL_gfxPrimitives.h>
#include <gtest/gtest.h>

#include <cstdlib>

std::vector<Uint32> delays;
std::vector<Drawn> drawn;
std::vector<Mix_Chunk *> freed_chunks;
std::vector<SDL_Surface *> created_20x20;
std::vector<SDL_Surface *> freed_surfaces;
std::function<void(Uint32)> on_delay;

extern "C" {
void __real_SDL_Delay(Uint32 ms);
int __real_stringRGBA(SDL_Surface *dst, Sint16 x, Sint16 y, const char *s, Uint8 r,
                      Uint8 g, Uint8 b, Uint8 a);
void __real_Mix_FreeChunk(Mix_Chunk *chunk);
SDL_Surface *__real_SDL_CreateRGBSurface(Uint32 flags, int w, int h, int depth, Uint32 rm,
                                         Uint32 gm, Uint32 bm, Uint32 am);
void __real_SDL_FreeSurface(SDL_Surface *surface);

void __wrap_SDL_Delay(Uint32 ms)
{
    delays.push_back(ms);
    if (on_delay)
        on_delay(ms);
}

int __wrap_stringRGBA(SDL_Surface *dst, Sint16 x, Sint16 y, const char *s, Uint8 r, Uint8 g,
                      Uint8 b, Uint8 a)
{
    drawn.push_back(Drawn{x, y, s});
    return __real_stringRGBA(dst, x, y, s, r, g, b, a);
}

void __wrap_Mix_FreeChunk(Mix_Chunk *chunk)
{
    freed_chunks.push_back(chunk);
    __real_Mix_FreeChunk(chunk);
}

SDL_Surface *__wrap_SDL_CreateRGBSurface(Uint32 flags, int w, int h, int depth, Uint32 rm,
                                         Uint32 gm, Uint32 bm, Uint32 am)
{
    SDL_Surface *s = __real_SDL_CreateRGBSurface(flags, w, h, depth, rm, gm, bm, am);
    if (w == 20 && h == 20)
        created_20x20.push_back(s);
    return s;
}

void __wrap_SDL_FreeSurface(SDL_Surface *surface)
{
    freed_surfaces.push_back(surface);
    __real_SDL_FreeSurface(surface);
}
}

void reset_recordings()
{
    delays.clear();
    drawn.clear();
    freed_chunks.clear();
    created_20x20.clear();
    freed_surfaces.clear();
    on_delay = nullptr;
}

void start_test_game()
{
    start_dummy_video();
    if (board != nullptr)
        return;
    enter_scratch_folder("game");
    write_file("t/t.config", "");
    dice_setup();
    build_board("t", false);
    setup_players();
}

void fresh_board()
{
    for (int which = 0; which < player_count; which++) {
        player[which].square = 0;
        set_dest(which, 0);
    }
    SDL_Rect all{0, 0, BOARD_SIZE, BOARD_SIZE};
    SDL_Rect to = all;
    SDL_UpperBlit(board, &all, screen, &to);
    SDL_Rect panel{BOARD_SIZE, 0, 640 - BOARD_SIZE, 480};
    SDL_FillRect(screen, &panel, 0);
    redraw_tokens(blist[0]->rect);
}

void place_token(int which, int square)
{
    SDL_Rect left = blist[player[which].square]->rect;
    player[which].square = square;
    set_dest(which, square);
    redraw_tokens(left);
    set_dest(which, square);
    redraw_tokens(blist[square]->rect);
}

void seed_for_roll(int pips)
{
    for (unsigned seed = 1;; seed++) {
        std::srand(seed);
        if (std::rand() % 6 == pips - 1) {
            std::srand(seed);
            return;
        }
    }
}

void queue_keyup(SDLKey key)
{
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) {
    }
    event = SDL_Event{};
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    event.key.keysym.sym = key;
    ASSERT_EQ(SDL_PushEvent(&event), 0) << SDL_GetError();
}

int count_delays(Uint32 ms)
{
    int n = 0;
    for (Uint32 d : delays)
        n += d == ms ? 1 : 0;
    return n;
}
