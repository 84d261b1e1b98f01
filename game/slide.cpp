// The slide animation with its 20 x 20 save-under.
#include "slide.h"

#include "screen.h"
#include "squares.h"
#include "tokens.h"
#include "wait.h"

#include <cstdio>
#include <cstdlib>

// The line of one slide: the long axis steps one pixel per frame, the other
// follows in single precision, as the animation always has.
struct SlideLine {
    bool y_major; // the long axis is y; a tie takes x
    int start;    // start and end on the long axis
    int end;
    int dir;      // +1 or -1 along the long axis
    float minor;  // start on the other axis
    float slope;  // the other axis's change per frame
};

static SlideLine slide_line(SDL_Rect from, SDL_Rect to_cell)
{
    int x0 = from.x, y0 = from.y;
    int ex = to_cell.x + SLIDE_END_OFFSET, ey = to_cell.y + SLIDE_END_OFFSET;
    int dx = ex - x0, dy = ey - y0;
    if (std::abs(dy) > std::abs(dx))
        return SlideLine{true, y0, ey, ey > y0 ? 1 : -1, float(x0), float(dx) / float(std::abs(dy))};
    return SlideLine{false, x0, ex, ex > x0 ? 1 : -1, float(y0), float(dy) / float(std::abs(dx))};
}

// Takes the sliding token off its start square and puts the others back.
static void lift_token(int which, SDL_Rect start_cell)
{
    SDL_Rect rects[MAX_PLAYERS] = {start_cell}; // the square, then the others
    int others[MAX_PLAYERS];
    int count = 0;
    for (int other = 0; other < player_count; other++)
        if (other != which) {
            others[count] = other;
            rects[1 + count] = player[other].dest;
            count++;
        }
    SDL_Rect from = start_cell;
    SDL_Rect to = start_cell;
    SDL_UpperBlit(board, &from, screen, &to);
    for (int i = 0; i < count; i++)
        draw_token(others[i], rects[1 + i]);
    SDL_UpdateRects(screen, 1 + count, rects);
}

static void save_under(SDL_Surface *under, SDL_Rect at)
{
    SDL_Rect to{0, 0, TOKEN_SIZE, TOKEN_SIZE};
    SDL_UpperBlit(screen, &at, under, &to);
}

static void restore_under(SDL_Surface *under, SDL_Rect at)
{
    SDL_UpperBlit(under, nullptr, screen, &at);
}

static Outcome run_frames(int which, const SlideLine &l, SDL_Surface *under)
{
    SDL_Rect &dest = player[which].dest;
    float major = float(l.start);
    float minor = l.minor;
    const float end = float(l.end);
    while (major != end) {
        restore_under(under, dest);
        minor += l.slope;
        // The long axis is taken before this frame's step, so the last frame
        // stands one pixel short of the end (kept: see QUIRKS.md, 'slide one short').
        Sint16 a = Sint16(major), b = Sint16(minor);
        dest.x = l.y_major ? b : a;
        dest.y = l.y_major ? a : b;
        save_under(under, dest);
        draw_token(which, dest);
        SDL_UpdateRect(screen, 0, 0, 0, 0);
        if (Outcome seen = game_wait(SLIDE_FRAME_MS); seen != Outcome::go_on)
            return seen;
        major += float(l.dir);
    }
    return Outcome::go_on;
}

Outcome slide(int which, int from, int to)
{
    lift_token(which, blist[from]->rect);
    SurfacePtr under(SDL_CreateRGBSurface(0, TOKEN_SIZE, TOKEN_SIZE, 32, 0, 0, 0, 0));
    SlideLine l = slide_line(player[which].dest, blist[to]->rect);
    std::puts(l.y_major ? "y Loop" : "x loop");
    // Without its save-under the token cannot move safely: it then stays off
    // the board until the turn puts it into its corner of the destination.
    if (under != nullptr)
        save_under(under.get(), player[which].dest);
    // (kept: see QUIRKS.md, 'Staring loop' and 'y Loop x loop')
    std::printf("Staring %c loop with star = %d, end = %d, dir = %d\n",
                l.y_major ? 'y' : 'x', l.start, l.end, l.dir);
    Outcome seen = under != nullptr ? run_frames(which, l, under.get()) : Outcome::go_on;
    SDL_UpdateRect(screen, 0, 0, 0, 0);
    return seen;
}
