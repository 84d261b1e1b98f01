// The player tokens.
#include "tokens.h"

#include "images.h"
#include "screen.h"
#include "squares.h"


// Each player's picture, by player index.
static constexpr std::array<const char *const *, MAX_PLAYERS> TOKEN_PICTURES = {
    icon1_xpm, icon2_xpm, icon3_xpm, icon4_xpm};

int player_count = PLAYERS;
std::array<Player, MAX_PLAYERS> player;

void set_dest(int which, int square)
{
    Point corner = token_corner(which, square);
    SDL_Rect &dest = player[which].dest;
    dest.x = Sint16(corner.x);
    dest.y = Sint16(corner.y);
    dest.w = TOKEN_SIZE;
    dest.h = TOKEN_SIZE;
    // (kept: see QUIRKS.md, 'set to two blanks')
    board_printf("Player %d is set to (%d, %d) w = %d  h = %d\n", which,
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
    SDL_Rect rects[1 + MAX_PLAYERS] = {r};
    for (int which = 0; which < player_count; which++)
        rects[1 + which] = player[which].dest;
    SDL_Rect from = r;
    SDL_Rect to = r;
    SDL_UpperBlit(board, &from, screen, &to);
    for (int which = 0; which < player_count; which++)
        draw_token(which, rects[1 + which]);
    SDL_UpdateRects(screen, 1 + player_count, rects);
}

void setup_players()
{
    for (int which = 0; which < player_count; which++) {
        Player &p = player[which];
        p.square = 0;
        // Each picture is read once, for every game of the run.
        if (p.icon == nullptr) {
            p.icon = read_xpm(TOKEN_PICTURES[which]);
            key_out_black(p.icon);
        }
        p.src = SDL_Rect{0, 0, TOKEN_SIZE, TOKEN_SIZE};
    }
    SDL_Rect rects[MAX_PLAYERS];
    for (int which = 0; which < player_count; which++) {
        set_dest(which, 0);
        rects[which] = player[which].dest;
    }
    for (int which = 0; which < player_count; which++)
        draw_token(which, rects[which]);
    SDL_UpdateRects(screen, player_count, rects);
}
