// The board: its square table and labels, the choice of version, and the
// version's records in the table.
#include "board.h"
#include "chutes.h"
#include "squares.h"
#include "config.h"
#include "images.h"
#include "screen.h"
#include "tokens.h"

#include "support.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The game builds its board once and keeps it; a test that builds it again
// releases the last one first.
void release_board()
{
    for (SDL_Surface **kept : {&board, &s_chute, &s_ladder}) {
        SDL_FreeSurface(*kept);
        *kept = nullptr;
    }
}

// Sets up the board of `version` from a scratch folder holding `config` as
// its configuration; returns what was printed.
std::string board_of(const std::string &version, const std::string &config,
                     std::vector<const char *> args = {})
{
    start_dummy_video();
    enter_scratch_folder("board");
    write_file("./" + version + "/" + version + ".config", config);
    std::vector<char *> argv{const_cast<char *>("boardgame")};
    for (const char *a : args)
        argv.push_back(const_cast<char *>(a));
    argv.push_back(nullptr);
    release_board();
    begin_stdout_capture();
    setup_board(int(argv.size()) - 1, argv.data());
    return end_stdout_capture();
}

TEST(Board, SquareTableSnakesUpFromTheBottomLeft)
{
    std::string out = board_of("mivo", "");
    EXPECT_EQ(out, "Board format = 32\n");
    struct Cell { int n, x, y; };
    for (Cell c : std::vector<Cell>{{0, 0, 432}, {9, 432, 432}, {10, 432, 384}, {19, 0, 384},
                                    {20, 0, 336}, {55, 192, 192}, {90, 432, 0}, {99, 0, 0}}) {
        const SDL_Rect &r = blist[c.n]->rect;
        EXPECT_EQ(r.x, c.x) << "square " << c.n;
        EXPECT_EQ(r.y, c.y) << "square " << c.n;
        EXPECT_EQ(r.w, 48) << "square " << c.n;
        EXPECT_EQ(r.h, 48) << "square " << c.n;
    }
    // Every cell of the board is exactly one square's.
    std::vector<int> owner(100, -1);
    for (int n = 0; n < 100; n++) {
        EXPECT_EQ(blist[n]->number, n);
        EXPECT_EQ(blist[n], &boardarray[n / 10][n % 10]);
        EXPECT_EQ(blist[n]->dest, NO_DEST);
        EXPECT_STREQ(blist[n]->note, "");
        int cell = blist[n]->rect.y / 48 * 10 + blist[n]->rect.x / 48;
        EXPECT_EQ(owner[cell], -1) << "squares " << owner[cell] << " and " << n << " share a cell";
        owner[cell] = n;
        if (n > 0) { // consecutive squares are neighbours
            int d = std::abs(blist[n]->rect.x - blist[n - 1]->rect.x) +
                    std::abs(blist[n]->rect.y - blist[n - 1]->rect.y);
            EXPECT_EQ(d, 48) << "squares " << n - 1 << " and " << n;
        }
    }
}

// The dark pixels of a label's two cells at the square's corner + (2, 2).
int label_ink(int n)
{
    const SDL_Rect &r = blist[n]->rect;
    int ink = 0;
    for (int y = r.y + 2; y < r.y + 14; y++)
        for (int x = r.x + 2; x < r.x + 22; x++)
            ink += pixel_at(board, x, y) == 0x101010;
    return ink;
}

// The same count for two glyphs of the letter strip.
int glyph_ink(int tens, int units)
{
    SurfacePtr strip(read_xpm(letters_xpm));
    int ink = 0;
    for (int g : {27 + tens, 27 + units})
        for (int y = 0; y < 12; y++)
            for (int x = 0; x < 10; x++)
                ink += pixel_at(strip.get(), 10 * g + x, y) == 0x101010;
    return ink;
}

TEST(Board, EverySquareShowsItsTwoDigitNumber)
{
    board_of("mivo", "");
    for (int n = 0; n < 100; n++)
        EXPECT_EQ(label_ink(n), glyph_ink(n / 10, n % 10)) << "label of square " << n;
    // The board is on the screen; the side panel is untouched.
    EXPECT_EQ(pixel_at(screen, 1, 1), 0xffffccu);
    EXPECT_EQ(pixel_at(screen, 479, 240), 0x101010u);
    for (int x = 480; x < 640; x += 13)
        EXPECT_EQ(pixel_at(screen, x, 240), 0u) << "panel at x " << x;
}

TEST(Board, VersionComesFromTheFirstArgument)
{
    board_of("mivo", "4 14 up\n");
    EXPECT_EQ(location, "mivo");
    EXPECT_EQ(blist[4]->dest, 14);

    board_of("other", "30 12 down\n", {"other", "ignored"});
    EXPECT_EQ(location, "other");
    EXPECT_EQ(blist[30]->dest, 12);
    EXPECT_EQ(blist[4]->dest, NO_DEST);
}

TEST(Board, RecordsGiveSquaresTheirDestinationsAndNotes)
{
    std::string out = board_of("v", "12 30 first\n\n7 7 stay\n12 40 second\n5 6\n88 2 last line", {"v"});
    EXPECT_EQ(blist[12]->dest, 40) << "the later record wins";
    EXPECT_STREQ(blist[12]->note, " second\n");
    EXPECT_EQ(blist[7]->dest, 7);
    EXPECT_STREQ(blist[7]->note, " stay\n");
    EXPECT_STREQ(blist[5]->note, "\n");
    EXPECT_STREQ(blist[88]->note, " last line");
    EXPECT_EQ(blist[30]->dest, NO_DEST);
    // Two ladders and two chutes (one of them of no length), in file order.
    EXPECT_EQ(out, "Board format = 32\n"
                   "At start 350, 400 to 446, 304\n"
                   "Unrotated chute format = 32\nRoto format = 32\nRoto format = 32\n"
                   "At start 350, 400 to 14, 256\n"
                   "At start 254, 448 to 302, 448\n"
                   "Unrotated chute format = 32\nRoto format = 32\nRoto format = 32\n");
}

// Built quietly (boardcheck's picture), the board is the same and neither it
// nor the tokens placed on it print their lines.
TEST(Board, QuietBuildDrawsTheSameBoardAndPrintsNothing)
{
    board_of("v", "12 40 up\n88 2 down\n", {"v"});
    std::vector<std::uint32_t> loud;
    for (int y = 0; y < BOARD_SIZE; y++)
        for (int x = 0; x < BOARD_SIZE; x++)
            loud.push_back(pixel_at(board, x, y));
    release_board();
    begin_stdout_capture();
    build_board("v", true);
    set_dest(0, FIRST_SQUARE);
    EXPECT_EQ(end_stdout_capture(), "");
    int differ = 0;
    for (int y = 0; y < BOARD_SIZE; y++)
        for (int x = 0; x < BOARD_SIZE; x++)
            differ += pixel_at(board, x, y) != loud[std::size_t(y) * BOARD_SIZE + x];
    EXPECT_EQ(differ, 0);
}

TEST(Board, MalformedLinesAreSkippedWithAMessage)
{
    testing::internal::CaptureStderr();
    board_of("bad", "150 3 off the board\nx y z\n4 14 fine\n", {"bad"});
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "./bad/bad.config:1: the start square 150 is outside 0 to 99; line skipped\n"
                   "./bad/bad.config:2: the start square \"x\" is not a number; line skipped\n");
    EXPECT_EQ(blist[4]->dest, 14);
}

// Boards built again and again in one run, as a menu and "Play again" do:
// two shipped versions and a board of 98 records from memory, 200 times
// each. Memory stays flat (under the sanitizers, LeakSanitizer names any
// leak at the end instead; their freed-memory quarantine makes RSS grow).
TEST(Board, BuildsAgainAndAgainWithoutGrowing)
{
    start_dummy_video();
    std::filesystem::current_path(data_folder());
    std::vector<VersionRecord> many;
    for (int n = 1; n < WIN_SQUARE; n++)
        many.push_back(VersionRecord{n, n % 2 == 1 ? std::min(n + 11, 98) : n - 1,
                                     " A generated note for square " + std::to_string(n) + "\n", n});
    long settled = 0;
    for (int round = 0; round < 200; round++) {
        ASSERT_FALSE(build_board("mivo", true).has_value());
        EXPECT_EQ(blist[4]->dest, 25);
        ASSERT_FALSE(build_board("lirou", true).has_value());
        ASSERT_FALSE(build_board(many, true).has_value());
        EXPECT_EQ(blist[97]->dest, 98);
        if (round == 19)
            settled = resident_kb();
    }
    if (!SANITIZED) {
        EXPECT_LT(resident_kb() - settled, 512) << "kB grown over 180 rounds of three boards";
    }
}

TEST(Board, MissingVersionFileStopsTheGame)
{
    start_dummy_video();
    enter_scratch_folder("missing");
    std::string name(300, 'q');
    std::vector<char *> argv{const_cast<char *>("boardgame"), name.data(), nullptr};
    std::optional<Failure> failed = setup_board(2, argv.data());
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(failed->status, 1);
    EXPECT_FALSE(failed->on_stdout);
    EXPECT_EQ(failed->message.rfind("Cannot open the version file ./" + name + "/" + name + ".config", 0), 0u)
        << failed->message;
}

} // namespace
