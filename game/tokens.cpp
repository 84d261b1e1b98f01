// The player tokens.
#include "tokens.h"

#include "images.h"
#include "screen.h"
#include "squares.h"

#include <cstdio>

std::array<Player, PLAYERS> player;
int player_count = PLAYERS;

void set_dest(int which, int square)
{
    Point corner = token_corner(which, square);
    SDL_Rect &dest = player[which].dest;
    dest.x = Sint16(corner.x);
    dest.y = Sint16(corner.y);
    dest.w = TOKEN_SIZE;
    dest.h = TOKEN_SIZE;
    // (kept: see QUIRKS.md, 'set to two blanks')
    std::printf("Player %d is set to (%d, %d) w = %d  h = %d\n", which,
                int(dest.x), int(dest.y), TOKEN_SIZE, TOKEN_SIZE);
}

void draw_token(int which, SDL_Rect at)
{
    Player &p = player[which];
    if (p.icon != nullptr)
        SDL_UpperBlit(p.icon, &p.src, screen, &at);
}

void redraw_tokens(SDL_Rect r)
{
    // Copies: a blit writes its clipped rectangle back into its argument.
    SDL_Rect rects[3] = {r, player[0].dest, player[1].dest};
    SDL_Rect from = r;
    SDL_Rect to = r;
    SDL_UpperBlit(board, &from, screen, &to);
    draw_token(0, rects[1]);
    draw_token(1, rects[2]);
    SDL_UpdateRects(screen, 3, rects);
}

void setup_players()
{
    player[0].square = 0;
    player[1].square = 0;
    player[0].icon = read_xpm(icon1_xpm);
    player[1].icon = read_xpm(icon2_xpm);
    for (Player &p : player) {
        key_out_black(p.icon);
        p.src = SDL_Rect{0, 0, TOKEN_SIZE, TOKEN_SIZE};
    }
    set_dest(0, 0);
    set_dest(1, 0);
    SDL_Rect rects[2] = {player[0].dest, player[1].dest};
    draw_token(0, rects[0]);
    draw_token(1, rects[1]);
    SDL_UpdateRects(screen, 2, rects);
}
