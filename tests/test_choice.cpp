// The chooser's highlight without a display: moving and wrapping, the scan's
// timing, what a click points at; and the boards a menu finds with their titles.
#include "boards.h"
#include "choice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

TEST(Choice, KeysMoveWrapChooseAndGoBack)
{
    struct Case {
        const char *name;
        int count, start;
        std::vector<ChoiceInput> inputs;
        int highlight;
        ChoiceStep last;
    };
    const std::vector<Case> cases = {
        {"down", 3, 0, {ChoiceInput::next}, 1, ChoiceStep::moved},
        {"past the last wraps to the first", 3, 2, {ChoiceInput::next}, 0, ChoiceStep::moved},
        {"before the first wraps to the last", 3, 0, {ChoiceInput::previous}, 2, ChoiceStep::moved},
        {"round and back", 4, 1, {ChoiceInput::next, ChoiceInput::next, ChoiceInput::previous}, 2,
         ChoiceStep::moved},
        {"one item stays lit", 1, 0, {ChoiceInput::next}, 0, ChoiceStep::moved},
        {"choose keeps the highlight", 3, 1, {ChoiceInput::choose}, 1, ChoiceStep::chosen},
        {"back", 3, 2, {ChoiceInput::back}, 2, ChoiceStep::back},
        {"nothing", 3, 2, {ChoiceInput::none}, 2, ChoiceStep::none},
        {"a start out of range is brought in", 3, 7, {ChoiceInput::none}, 2, ChoiceStep::none},
    };
    for (const Case &c : cases) {
        ChoiceState state = choice_start(c.count, c.start, 0);
        ChoiceStep last = ChoiceStep::none;
        for (ChoiceInput input : c.inputs)
            last = choice_input(state, input);
        EXPECT_EQ(state.highlight, c.highlight) << c.name;
        EXPECT_EQ(last, c.last) << c.name;
    }
}

TEST(Choice, ScanMovesOncePerPeriodAndWraps)
{
    ChoiceState state = choice_start(3, 0, DEFAULT_SCAN_MS);
    EXPECT_EQ(choice_elapse(state, 1499), 0);
    EXPECT_EQ(state.highlight, 0);
    EXPECT_EQ(choice_elapse(state, 1), 1);
    EXPECT_EQ(state.highlight, 1);
    // Frames of 50 ms add up to whole periods, without drifting.
    int moves = 0;
    for (int frame = 0; frame < 60; frame++)
        moves += choice_elapse(state, 50);
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(state.highlight, 0) << "wrapped after the last item";
    // A long stall moves as many times as periods passed.
    EXPECT_EQ(choice_elapse(state, 4500), 3);
    EXPECT_EQ(state.highlight, 0);
}

TEST(Choice, KeyRestartsTheScanPeriodAndNoScanNeverMoves)
{
    ChoiceState state = choice_start(4, 0, 1000);
    choice_elapse(state, 900);
    choice_input(state, ChoiceInput::next);
    EXPECT_EQ(choice_elapse(state, 900), 0) << "a whole period rests on the item a key lit";
    EXPECT_EQ(choice_elapse(state, 100), 1);
    ChoiceState still = choice_start(4, 2, 0);
    EXPECT_EQ(choice_elapse(still, 100000), 0);
    EXPECT_EQ(still.highlight, 2);
}

TEST(Choice, ClickFindsTheItemUnderIt)
{
    const std::vector<ChoiceRect> rects = {{10, 10, 100, 30}, {10, 50, 100, 30}};
    struct Case {
        int x, y, item;
    };
    for (const Case &c : std::vector<Case>{{10, 10, 0}, {109, 39, 0}, {110, 20, -1}, {50, 45, -1},
                                           {50, 50, 1}, {50, 79, 1}, {50, 80, -1}, {-1, 20, -1}})
        EXPECT_EQ(choice_at(rects, c.x, c.y), c.item) << c.x << "," << c.y;
}

// A scratch working folder of boards.
struct BoardsFolder : ::testing::Test {
    std::filesystem::path root = std::filesystem::temp_directory_path() /
                                 ("boards-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                  std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::path old = std::filesystem::current_path();
    void SetUp() override
    {
        std::filesystem::create_directories(root);
        std::filesystem::current_path(root);
    }
    void TearDown() override
    {
        std::filesystem::current_path(old);
        std::filesystem::remove_all(root);
    }
    static void write(const std::string &path, const std::string &text)
    {
        std::filesystem::path folder = std::filesystem::path(path).parent_path();
        if (!folder.empty())
            std::filesystem::create_directories(folder);
        std::ofstream(path, std::ios::binary) << text;
    }
};

TEST_F(BoardsFolder, EveryFolderWithItsOwnConfigIsABoard)
{
    write("zeta/zeta.config", "4 20 climb\n");
    write("alpha/alpha.config", "");
    write("loose/other.config", "4 20 climb\n");  // not its own name
    write(".hidden/.hidden.config", "4 20 climb\n");
    write("odd/odd.config/inside", "");            // a folder, not a file
    write("plain.config", "");
    EXPECT_EQ(find_versions("."), (std::vector<std::string>{"alpha", "zeta"}));
    EXPECT_TRUE(find_versions("./no-such-folder").empty());
}

TEST_F(BoardsFolder, TitleFileOrTheFolderNameAndWhy)
{
    struct Case {
        const char *name;
        std::string text; // "-": no title file; "/": a folder in its place
        std::string title;
        std::string fault;
    };
    const std::vector<Case> cases = {
        {"none", "-", "v", ""},
        {"plain", "The Big Climb\n", "The Big Climb", ""},
        {"blanks and CR trimmed, first line only", "  Échelles \r\nsecond\n", "Échelles", ""},
        {"a byte order mark is no part of it", "\xEF\xBB\xBFThe Big Climb\r\n", "The Big Climb", ""},
        {"forty characters fit", std::string(40, 'x'), std::string(40, 'x'), ""},
        {"empty", "\n", "v", "its first line is empty"},
        {"not UTF-8", "caf\xe9\n", "v", "its first line is not UTF-8"},
        {"UTF-16", std::string("\xFF\xFEO\0k\0", 6), "v", "it is saved as UTF-16, not UTF-8"},
        {"a control character", "a\tb\x01\n", "v", "its first line holds the control character U+0009"},
        {"too long", std::string(41, 'x'), "v", "its first line has 41 characters, more than 40"},
        {"too large", std::string(300, 'x'), "v", "it is larger than 256 bytes"},
        {"a folder", "/", "v", "it is a folder, not a file"},
    };
    for (const Case &c : cases) {
        std::filesystem::remove_all("v");
        write("v/v.config", "");
        if (c.text == "/")
            std::filesystem::create_directories("v/title");
        else if (c.text != "-")
            write("v/title", c.text);
        std::string fault = "stale";
        EXPECT_EQ(version_title("v", fault), c.title) << c.name;
        EXPECT_EQ(fault, c.fault.empty() ? "" : "./v/title: " + c.fault + "; the menu shows the folder's name")
            << c.name;
    }
}

} // namespace
