// The questions file reader, its line wrapping and the rules of an answer.
#include "questions.h"

#include "support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Expected {
    int square;
    std::string text, right;
    std::vector<std::string> wrong;
    int line, order;
};

struct Case {
    const char *name;
    std::string text;
    std::vector<Expected> questions;
    std::vector<std::string> problems;
};

const std::string long_question = "How many legs do seven spiders and three beetles have "
                                  "together if you count every one of them twice over?";

const std::vector<Case> cases = {
    {"empty file", "", {}, {}},
    {"one question", "7|2 + 2?|4|5\n", {{7, "2 + 2?", "4", {"5"}, 1, 1}}, {}},
    {"three wrong answers, blanks around fields", " 12 | 3 x 4 ? | 12 | 7 |  34|1 \n",
     {{12, "3 x 4 ?", "12", {"7", "34", "1"}, 1, 1}}, {}},
    {"tabs from a spreadsheet, quoted field", "5\t\"Say \"\"hi\"\"\"\thi\tho\r\n",
     {{5, "Say \"hi\"", "hi", {"ho"}, 1, 1}}, {}},
    {"byte order mark, comments and blank lines", "\xEF\xBB\xBF# sums\n\n  # more\n3|1+1?|2|3\n",
     {{3, "1+1?", "2", {"3"}, 4, 1}}, {}},
    {"several on one square asked in turn", "4|a?|1|2\n9|b?|1|2\n4|c?|1|2\n",
     {{4, "a?", "1", {"2"}, 1, 1}, {9, "b?", "1", {"2"}, 2, 1}, {4, "c?", "1", {"2"}, 3, 2}}, {}},
    {"UTF-8 text", "8|Combien font 2 × 3 ?|six|cinq\n",
     {{8, "Combien font 2 × 3 ?", "six", {"cinq"}, 1, 1}}, {}},
    {"last line without a line end", "1|q|a|b", {{1, "q", "a", {"b"}, 1, 1}}, {}},
    {"square 0", "0|q|a|b\n", {}, {"q:1: the square \"0\" is not a number from 1 to 98"}},
    {"square 99", "2|q|a|b\n99|q|a|b\n", {{2, "q", "a", {"b"}, 1, 1}},
     {"q:2: the square \"99\" is not a number from 1 to 98"}},
    {"square not a number", "x7|q|a|b\n", {}, {"q:1: the square \"x7\" is not a number from 1 to 98"}},
    {"fewer than two answers", "5|q|a\n", {},
     {"q:1: fewer than two answers: a question needs its right answer and at least one wrong "
      "one, SQUARE|QUESTION|RIGHT|WRONG"}},
    {"more than four answers", "5|q|a|b|c|d|e\n", {},
     {"q:1: 5 answers: at most 4 fit the box (the right one and 3 wrong ones)"}},
    {"empty question", "5||a|b\n", {}, {"q:1: field 2 (the question) is empty"}},
    {"empty wrong answer", "5|q|a||c\n", {}, {"q:1: field 4 (a wrong answer) is empty"}},
    {"trailing separator leaves an empty field", "5|q|a|b|\n", {}, {"q:1: field 5 (a wrong answer) is empty"}},
    {"right answer equal to a wrong one", "5|q|12|7|12\n", {},
     {"q:1: the right answer \"12\" is also a wrong one"}},
    {"a wrong answer twice", "5|q|12|7|7\n", {}, {"q:1: the wrong answer \"7\" is there twice"}},
    {"question too long", "5|" + long_question + "|a|b\n", {},
     {"q:1: the question \"How many legs do seven spiders and th...\" is too long to show: it "
      "takes 4 lines of 34 characters, the box has 3"}},
    {"answer too long", "5|q|a|abcdefghijklmnopqrstuvwxyz12345\n", {},
     {"q:1: the answer \"abcdefghijklmnopqrstuvwxyz12345\" is too long to show: 31 characters, "
      "at most 30"}},
    {"answer of 30 characters fits", "5|q|a|abcdefghijklmnopqrstuvwxyz1234\n",
     {{5, "q", "a", {"abcdefghijklmnopqrstuvwxyz1234"}, 1, 1}}, {}},
    {"not UTF-8", "5|caf\xE9|a|b\n", {}, {"q:1: not UTF-8 text: save the file as UTF-8"}},
    {"saved as UTF-16", std::string("\xFF\xFE" "5\0|\0q\0|\0a\0|\0b\0\n\0", 18), {},
     {"q:1: the file is saved as UTF-16 (it starts with the bytes \\xFF\\xFE), which the "
      "programs do not read: save it as UTF-8"}},
    {"old Mac line ends", "1|q|a|b\r2|q|a|b\r", {},
     {"q:1: the line holds a carriage return that does not end it, as a file saved with old Mac "
      "line ends does: save the file with ordinary line ends"}},
    {"escape in an answer", "5|q|a\x1B[2Jb|c\n", {},
     {"q:1: field 3 (the right answer) \"a\\x1B[2Jb\" holds a control character, which the box "
      "cannot show and the terminal must not get: remove it"}},
    {"NUL in the question", std::string("5|q\0x|a|b\n", 10), {},
     {"q:1: field 2 (the question) \"q\\x00x\" holds a control character, which the box "
      "cannot show and the terminal must not get: remove it"}},
    {"a C1 control in a wrong answer", "5|q|a|b\xC2\x9B\n", {},
     {"q:1: field 4 (a wrong answer) \"b\\xC2\\x9B\" holds a control character, which the box "
      "cannot show and the terminal must not get: remove it"}},
    {"a square of control bytes is quoted escaped", "\x1B]0;x\x07|q|a|b\n", {},
     {"q:1: the square \"\\x1B]0;x\\x07\" is not a number from 1 to 98"}},
    {"mixed bars and tabs, a field of blanks", "5|q\ta|b\n6|q|   |b\n", {{5, "q", "a", {"b"}, 1, 1}},
     {"q:2: field 3 (the right answer) is empty"}},
    {"square -1 and 100", "-1|q|a|b\n100|q|a|b\n", {},
     {"q:1: the square \"-1\" is not a number from 1 to 98",
      "q:2: the square \"100\" is not a number from 1 to 98"}},
    {"a spreadsheet saved as comma-separated text", "5,What is 2 + 2?,4,5\n6;q;a;b\n", {},
     {"q:1: the line has no | or tab between its fields: write SQUARE|QUESTION|RIGHT|WRONG, or "
      "save the spreadsheet as tab-separated text (not comma-separated)",
      "q:2: the line has no | or tab between its fields: write SQUARE|QUESTION|RIGHT|WRONG, or "
      "save the spreadsheet as tab-separated text (not comma-separated)"}},
    {"a bad line between good ones keeps their lines", "1|q|a|b\n5|q|a\n3|q|a|b\n",
     {{1, "q", "a", {"b"}, 1, 1}, {3, "q", "a", {"b"}, 3, 1}},
     {"q:2: fewer than two answers: a question needs its right answer and at least one wrong "
      "one, SQUARE|QUESTION|RIGHT|WRONG"}},
};

TEST(QuestionsFile, ReadsEachCase)
{
    for (const Case &c : cases) {
        QuestionFile file = parse_questions_text(c.text, "q");
        EXPECT_EQ(file.problems, c.problems) << c.name;
        ASSERT_EQ(file.questions.size(), c.questions.size()) << c.name;
        for (std::size_t i = 0; i < c.questions.size(); i++) {
            const Question &got = file.questions[i];
            const Expected &want = c.questions[i];
            EXPECT_EQ(got.square, want.square) << c.name;
            EXPECT_EQ(got.text, want.text) << c.name;
            EXPECT_EQ(got.right, want.right) << c.name;
            EXPECT_EQ(got.wrong, want.wrong) << c.name;
            EXPECT_EQ(got.line, want.line) << c.name;
            EXPECT_EQ(got.order, want.order) << c.name;
        }
    }
}

TEST(QuestionsFile, MissingFileIsNoProblemAndAFolderIsNamed)
{
    enter_scratch_folder("questions");
    write_file("./v/v.config", "");
    QuestionFile none = read_version_questions("v");
    EXPECT_FALSE(none.given);
    EXPECT_TRUE(none.problems.empty());
    write_file("./w/questions/x", "");
    QuestionFile folder = read_version_questions("w");
    EXPECT_TRUE(folder.given);
    EXPECT_FALSE(folder.opened);
    EXPECT_EQ(folder.fault, "./w/questions: it is a folder, not a file");
}

TEST(QuestionsFile, WrapsWordsIntoLines)
{
    struct Wrap {
        const char *name;
        std::string text;
        int width;
        std::vector<std::string> lines;
    };
    const std::vector<Wrap> wraps = {
        {"fits on one line", "What is 3 x 4?", 14, {"What is 3 x 4?"}},
        {"one over breaks before the word", "What is 3 x 4?", 13, {"What is 3 x", "4?"}},
        {"runs of blanks are one", "a   b", 3, {"a b"}},
        {"long word cut", "abcdefgh ij", 3, {"abc", "def", "gh", "ij"}},
        {"characters, not bytes", "éé éé", 5, {"éé éé"}},
        {"empty", "", 5, {}},
    };
    for (const Wrap &w : wraps)
        EXPECT_EQ(wrap_words(w.text, w.width), w.lines) << w.name;
}

TEST(QuestionRules, AnswerOnEachKindOfSquare)
{
    struct Rule {
        const char *name;
        int square, dest;
        bool right;
        int ends_on;
        bool again, praised;
    };
    const std::vector<Rule> rules = {
        {"ladder foot, right climbs", 4, 14, true, 14, false, false},
        {"ladder foot, wrong stays", 4, 14, false, 4, false, false},
        {"chute top, right stays with praise", 30, 12, true, 30, false, true},
        {"chute top, wrong slides", 30, 12, false, 12, false, false},
        {"plain square, right rolls again", 8, NO_DEST, true, 8, true, false},
        {"plain square, wrong nothing", 8, NO_DEST, false, 8, false, false},
    };
    for (const Rule &r : rules) {
        EXPECT_EQ(answered_square(r.square, r.dest, r.right), r.ends_on) << r.name;
        EXPECT_EQ(answer_rolls_again(r.dest, r.right), r.again) << r.name;
        EXPECT_EQ(answer_praised(r.square, r.dest, r.right), r.praised) << r.name;
    }
}

TEST(QuestionsFile, VoicePathsNameSquareOrderAndPart)
{
    Question q;
    q.square = 7;
    q.order = 2;
    EXPECT_EQ(question_text_path("v", q, 0), "./v/question07-2");
    EXPECT_EQ(question_sound_path("v", q, 3), "./v/question07-2-answer3.wav");
}

} // namespace
