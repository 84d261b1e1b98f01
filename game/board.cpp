// Building the board: its picture, its numbered squares, its version.
#include "board.h"

#include "config.h"
#include "font.h"
#include "images.h"
#include "paths.h"
#include "screen.h"
#include "squares.h"

#include <cstdio>
#include <cstdlib>
#include <string>

constexpr int LABEL_INSET = 2; // the number's distance from the cell's corner

static std::optional<Failure> make_board_surface()
{
    if (board != nullptr)
        SDL_FreeSurface(board);
    board = nullptr;
    SurfacePtr picture(read_xpm(board_xpm));
    if (picture != nullptr)
        board = SDL_ConvertSurface(picture.get(), screen->format, 0);
    if (board == nullptr)
        return Failure{1, std::string("Cannot build the board picture: ") + SDL_GetError() + "\n"};
    board_printf("Board format = %d\n", board->format->BitsPerPixel);
    return std::nullopt;
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

// The board's picture with its numbers, and the square table, blank.
static std::optional<Failure> blank_board(bool quiet)
{
    board_quiet = quiet;
    if (auto fault = make_board_surface())
        return fault;
    for (int n = 0; n < SQUARE_COUNT; n++)
        fill_square(n);
    for (int n = 0; n < SQUARE_COUNT; n++)
        blist[n] = &boardarray[n / BOARD_SQUARES][n % BOARD_SQUARES];
    return std::nullopt;
}

std::optional<Failure> read_board(const std::string &version, bool quiet)
{
    if (auto fault = blank_board(quiet))
        return fault;
    return read_config(version);
}

std::optional<Failure> build_board(const std::string &version, bool quiet)
{
    if (auto fault = read_board(version, quiet))
        return fault;
    show_board();
    return std::nullopt;
}

std::optional<Failure> build_board(const std::vector<VersionRecord> &records, bool quiet)
{
    if (auto fault = blank_board(quiet))
        return fault;
    place_records(records);
    show_board();
    return std::nullopt;
}

std::optional<Failure> setup_board(int argc, char **argv)
{
    return build_board(version_name(argc < 2 ? DEFAULT_VERSION : argv[1]), false);
}
