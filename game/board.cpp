// The board grid, the square table and the drawn board.
#include "board.h"

#include "config.h"
#include "font.h"
#include "images.h"
#include "screen.h"

#include <cstdio>
#include <cstdlib>
#include <string>

Square boardarray[BOARD_SQUARES][BOARD_SQUARES];
std::array<Square *, SQUARE_COUNT> blist;
SDL_Surface *board = nullptr;

constexpr int LABEL_INSET = 2; // the number's distance from the cell's corner

SDL_Rect square_rect(int n)
{
    int r = n / BOARD_SQUARES;
    int i = n % BOARD_SQUARES;
    int x = (r % 2 == 0) ? SQUARE_SIZE * i : BOARD_SIZE - SQUARE_SIZE - SQUARE_SIZE * i;
    int y = BOARD_SIZE - SQUARE_SIZE - SQUARE_SIZE * r;
    return SDL_Rect{Sint16(x), Sint16(y), SQUARE_SIZE, SQUARE_SIZE};
}

static void make_board_surface()
{
    SurfacePtr picture(read_xpm(board_xpm));
    if (picture != nullptr)
        board = SDL_ConvertSurface(picture.get(), screen->format, 0);
    if (board == nullptr) {
        std::fprintf(stderr, "Cannot build the board picture: %s\n", SDL_GetError());
        std::exit(1);
    }
    std::printf("Board format = %d\n", board->format->BitsPerPixel);
}

static void fill_square(int n)
{
    Square &sq = boardarray[n / BOARD_SQUARES][n % BOARD_SQUARES];
    sq.number = n;
    sq.rect = square_rect(n);
    sq.dest = NO_DEST;
    sq.note[0] = '\0';
    const char label[3] = {char('0' + n / 10), char('0' + n % 10), '\0'}; // "07" for 7
    Font_Write(board, sq.rect.x + LABEL_INSET, sq.rect.y + LABEL_INSET, label);
}

static void show_board()
{
    SDL_Rect from{0, 0, BOARD_SIZE, BOARD_SIZE};
    SDL_Rect to = from;
    SDL_UpperBlit(board, &from, screen, &to);
    SDL_UpdateRect(screen, 0, 0, 0, 0);
}

void setup_board(int argc, char **argv)
{
    make_board_surface();
    for (int n = 0; n < SQUARE_COUNT; n++)
        fill_square(n);
    for (int n = 0; n < SQUARE_COUNT; n++)
        blist[n] = &boardarray[n / BOARD_SQUARES][n % BOARD_SQUARES];
    std::string version = argc < 2 ? DEFAULT_VERSION : argv[1];
    read_config(version);
    show_board();
}
