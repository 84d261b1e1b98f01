// Note wrapping: the worked examples, the edge cases, and any bytes at all.
#include "note.h"

#include "game_fixture.h"
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

struct Case {
    const char *name;
    std::string text;
    std::vector<Drawn> expected;
};

// The caller's values: lines of 22 cells from (490, 300), cells 6 wide,
// lines 15 apart.
const std::vector<Case> cases = {
    {"two words", " Go up!\n", {{490, 300, "Go"}, {508, 300, "up!"}}},
    {"a line filled exactly", " Wash your hands before every meal.\n",
     {{490, 300, "Wash"}, {520, 300, "your"}, {550, 300, "hands"}, {586, 300, "before"},
      {490, 315, "every"}, {526, 315, "meal."}}},
    {"three lines", " Eat your vegetables every day to grow strong.\n",
     {{490, 300, "Eat"}, {514, 300, "your"}, {544, 300, "vegetables"}, {490, 315, "every"},
      {526, 315, "day"}, {550, 315, "to"}, {568, 315, "grow"}, {490, 330, "strong."}}},
    {"a word longer than a line", " abcdefghijklmnopqrstuvwxyz0123 ok\n",
     {{490, 300, "abcdefghijklmnopqrstuv"}, {490, 315, "wxyz0123"}, {544, 315, "ok"}}},
    {"final word's line end counts", " abcdefghij abcdefghijk\n",
     {{490, 300, "abcdefghij"}, {490, 315, "abcdefghijk"}}},
    {"inner word fits without its blank", " abcdefghij abcdefghijk x\n",
     {{490, 300, "abcdefghij"}, {556, 300, "abcdefghijk"}, {490, 315, "x"}}},
    {"only a line end", "\n", {}},
    {"empty text", "", {}},
    {"a blank and a line end", " \n", {{490, 300, ""}}},
    {"no final line end loses a letter", " last", {{490, 300, "las"}}},
    {"ends in a blank", " one two ", {{490, 300, "one"}, {514, 300, "two"}}},
    {"final word exactly a line with its line end", " abcdefghijklmnopqrstu\n",
     {{490, 300, "abcdefghijklmnopqrstu\n"}}},
    {"two blanks draw one cell further", " a  b\n", {{490, 300, "a"}, {502, 300, " b"}}},
    {"a tab does not separate", " a\tb c\n", {{490, 300, "a\tb"}, {514, 300, "c"}}},
    {"a long piece after a started line", " ab abcdefghijklmnopqrstuvwxyz\n",
     {{490, 300, "ab"}, {490, 315, "abcdefghijklmnopqrstuv"}, {490, 330, "wxyz"}}},
};

class NoteTest : public testing::Test {
protected:
    void SetUp() override
    {
        start_dummy_video();
        reset_recordings();
    }
};

TEST_F(NoteTest, WrapsAsDesigned)
{
    for (const Case &c : cases) {
        reset_recordings();
        display_note(c.text.c_str(), 23, 490, 300, 6, 15);
        ASSERT_EQ(drawn.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < drawn.size(); i++) {
            EXPECT_EQ(drawn[i].text, c.expected[i].text) << c.name << " string " << i;
            EXPECT_EQ(drawn[i].x, c.expected[i].x) << c.name << " string " << i;
            EXPECT_EQ(drawn[i].y, c.expected[i].y) << c.name << " string " << i;
        }
    }
}

TEST_F(NoteTest, TooNarrowDrawsNothing)
{
    display_note(" a b\n", 1, 490, 300, 6, 15);
    display_note(" a b\n", 0, 490, 300, 6, 15);
    EXPECT_TRUE(drawn.empty());
}

// Any bytes, any line width: no string is longer than a line, none starts
// left of the margin or ends past the line, lines only go down, and every
// byte after the first (blanks aside) is drawn at most once. Run under the
// address sanitizer this also shows that nothing is written outside a buffer.
TEST_F(NoteTest, AnyBytesStayInsideTheLines)
{
    std::mt19937 random(7);
    for (int round = 0; round < 3000; round++) {
        int max_chars = 2 + int(random() % 30);
        int cells = max_chars - 1;
        std::string text(random() % 200, ' ');
        for (char &c : text)
            c = random() % 3 == 0 ? ' ' : char(1 + random() % 255);
        reset_recordings();
        display_note(text.c_str(), max_chars, 10, 20, 6, 15);
        std::size_t letters = 0;
        int last_y = 20;
        for (const Drawn &d : drawn) {
            ASSERT_LE(int(d.text.size()), cells) << "round " << round;
            ASSERT_GE(d.x, 10);
            ASSERT_LE(d.x + 6 * int(d.text.size()), 10 + 6 * cells) << "round " << round;
            ASSERT_GE(d.y, last_y);
            last_y = d.y;
            letters += d.text.size();
        }
        ASSERT_LE(letters, text.empty() ? 0 : text.size() - 1);
    }
}

} // namespace

namespace {

// A note the reader keeps whole (77 characters after its blank) never needs
// more than 7 of the panel's lines, so it stays clear of the panel's bottom.
TEST_F(NoteTest, AWholeNoteFitsInSevenLines)
{
    std::mt19937 random(16);
    std::vector<std::string> texts = {
        " x  " + std::string(23, 'x') + " " + std::string(23, 'x') + " " + std::string(23, 'x') + "\n"};
    for (int n = 0; n < 5000; n++) {
        std::string words;
        while (words.size() < 77)
            words += std::string(1 + random() % 24, 'w') + std::string(1 + random() % 2, ' ');
        texts.push_back(" " + words.substr(0, 1 + random() % 77) + "\n");
    }
    int lowest = 0;
    for (const std::string &text : texts) {
        reset_recordings();
        display_note(text.c_str(), 23, 490, 300, 6, 15);
        for (const Drawn &d : drawn)
            lowest = std::max(lowest, d.y);
    }
    EXPECT_EQ(lowest, 300 + 6 * 15);
}

} // namespace
