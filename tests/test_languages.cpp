// Notes in other languages: UTF-8 read as characters, the language file, the
// voice of a language, the reader's character limit and boardcheck's verdicts.
#include "language.h"
#include "notes.h"
#include "question_report.h"
#include "records.h"
#include "support.h"
#include "utf8.h"
#include "voices.h"
#include "widefont.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

TEST(Utf8, ValidTextIsCountedInCharactersOtherTextInBytes)
{
    struct Case {
        const char *name;
        std::string text;
        bool valid;
        std::size_t count;
    } cases[] = {
        {"ASCII", "Climb up!", true, 9},
        {"French", "\xc3\xa9t\xc3\xa9", true, 3},
        {"Greek and an emoji", "\xce\xb1\xf0\x9f\x98\x80", true, 2},
        {"Latin-1 byte", "Caf\xe9", false, 4},
        {"stray continuation", "\x80" "a", false, 2},
        {"truncated", "\xc3", false, 1},
        {"overlong slash", "\xc0\xaf", false, 2},
        {"surrogate", "\xed\xa0\x80", false, 3},
        {"past U+10FFFF", "\xf4\x90\x80\x80", false, 4},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(is_valid_utf8(c.text), c.valid) << c.name;
        EXPECT_EQ(character_count(c.text), c.count) << c.name;
        EXPECT_EQ(text_characters(c.text).size(), c.count) << c.name;
    }
    EXPECT_EQ(text_characters("\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"),
              (std::vector<char32_t>{0xE9, 0x20AC, 0x1F600}));
}

// What reaches a terminal from a note: its letters, never a byte that works
// the terminal.
TEST(Utf8, TerminalTextShowsControlBytesEscaped)
{
    struct Case {
        const char *name;
        std::string text, shown;
    } cases[] = {
        {"plain and Greek kept", "ok \xce\xb1\xce\xb2 \\n", "ok \xce\xb1\xce\xb2 \\n"},
        {"ESC and BEL", "\x1B]0;title\x07", "\\x1B]0;title\\x07"},
        {"tab, NUL, DEL", std::string("a\tb\0c\x7F", 6), "a\\x09b\\x00c\\x7F"},
        {"a C1 control in UTF-8", "x\xC2\x9B" "2J", "x\\xC2\\x9B2J"},
        {"no-break space kept", "a\xC2\xA0" "b", "a\xC2\xA0" "b"},
        {"bytes that are not UTF-8", "Caf\xE9\x9B", "Caf\\xE9\\x9B"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(terminal_text(c.text), c.shown) << c.name;
}

TEST(Utf8, RightToLeftAndShapedScriptsAreNamed)
{
    EXPECT_EQ(unsupported_script(0xFEFF), nullptr) << "a byte order mark is no Arabic";
    EXPECT_STREQ(unsupported_script(0xFEFC), "Arabic");
    EXPECT_STREQ(unsupported_script(0x05D0), "Hebrew");
    EXPECT_STREQ(unsupported_script(0x0628), "Arabic");
    EXPECT_STREQ(unsupported_script(0x0915), "Devanagari");
    EXPECT_STREQ(unsupported_script(0x0E01), "Thai");
    EXPECT_EQ(unsupported_script(0x00E9), nullptr);
    EXPECT_EQ(unsupported_script(0x0436), nullptr);
}

TEST(Language, TheFileGivesATagOrAFaultNamingIt)
{
    struct Case {
        const char *name;
        const char *content; // nullptr: no file
        const char *tag;
        const char *fault;   // a part of it
    } cases[] = {
        {"no file is English", nullptr, "en", ""},
        {"a tag and a line end", "fr\n", "fr", ""},
        {"a region, CRLF and blanks", "  pt-BR\r\n", "pt-BR", ""},
        {"empty", "\n", "", "holds no language tag"},
        {"two tags", "fr de\n", "", "only letters"},
        {"a path", "../fr\n", "", "only letters"},
        {"too long", "abcdefghijklmnopq\n", "", "longer than 16"},
        {"a dash at the end", "fr-\n", "", "ends with '-'"},
        {"a digit first", "1fr\n", "", "must start with a letter"},
        {"two lines", "fr\nde\n", "", "it holds more than one line"},
        {"control bytes", "f\033[31mr\xff", "", "tag \"f\\x1B[31mr\\xFF\" may hold only"},
        {"a long line", "abcdefghijklmnopqrstuvwxyz\n", "", "tag \"abcdefghijklmnopqrst...\" is longer"},
        {"a byte order mark", "\xEF\xBB\xBF" "fr\r\n", "fr", ""},
        {"UTF-16", "\xFF\xFE" "f", "", "it is saved as UTF-16; save it as UTF-8"},
    };
    enter_scratch_folder("language");
    for (const Case &c : cases) {
        std::filesystem::remove_all("v");
        std::filesystem::create_directory("v");
        if (c.content != nullptr)
            write_file("v/language", c.content);
        LanguageRead read = read_version_language("v");
        EXPECT_EQ(read.tag, c.tag) << c.name;
        EXPECT_EQ(version_language("v"), c.tag) << c.name;
        EXPECT_NE(read.fault.find(c.fault), std::string::npos) << c.name << ": " << read.fault;
        if (*c.fault != '\0') {
            EXPECT_NE(read.fault.find("./v/language"), std::string::npos) << c.name;
        }
    }
}

TEST(Language, EachLanguageHasOneVoiceOrNone)
{
    struct Case {
        const char *tag;
        SpeechProgram program;
        const char *voice;
        int pitch_cents; // festival's English alone is lowered
    } cases[] = {
        {"en", SpeechProgram::FESTIVAL, "", -300},   {"en-GB", SpeechProgram::FESTIVAL, "", -300},
        {"fr", SpeechProgram::ESPEAK, "fr", 0},      {"fr-CA", SpeechProgram::ESPEAK, "fr", 0},
        {"pt-BR", SpeechProgram::ESPEAK, "pt-br", 0}, {"el", SpeechProgram::ESPEAK, "el", 0},
        {"uk", SpeechProgram::ESPEAK, "uk", 0},      {"xx", SpeechProgram::NONE, "", 0},
        {"", SpeechProgram::NONE, "", 0},
    };
    for (const Case &c : cases) {
        SpeechVoice voice = voice_for_language(c.tag);
        EXPECT_EQ(voice.program, c.program) << c.tag;
        EXPECT_EQ(voice.voice, c.voice) << c.tag;
        EXPECT_EQ(voice.pitch_cents, c.pitch_cents) << c.tag;
    }
}

TEST(Records, TheNoteLimitCountsCharactersInUtf8AndBytesOtherwise)
{
    std::string e79 = " " + std::string(77, 'e') + "\n"; // 79 characters with blank and line end
    std::string fr79 = " ";
    for (int i = 0; i < 77; i++)
        fr79 += "\xc3\xa9";
    fr79 += "\n";
    std::string latin81 = " " + std::string(77, '\xe9') + "xy\n";
    struct Case {
        const char *name;
        std::string note;
        std::string kept;
        bool cut;
    } cases[] = {
        {"ASCII at the limit", e79, e79, false},
        {"French at the limit keeps every letter", fr79, fr79, false},
        {"French past it is cut between letters", " \xc3\xa9\xc3\xa9" + fr79.substr(1),
         " \xc3\xa9" + fr79.substr(1, 2 * 77), true},
        {"not UTF-8: bytes, as always", latin81, latin81.substr(0, 79), true},
    };
    for (const Case &c : cases) {
        VersionFile file = parse_version_text("4 25" + c.note, "v");
        ASSERT_EQ(file.records.size(), 1u) << c.name;
        EXPECT_EQ(file.records[0].note, c.kept) << c.name;
        EXPECT_EQ(file.records[0].cut, c.cut) << c.name;
    }
}

TEST(Boardcheck, CharactersTheNoteCannotShowAreNamed)
{
    std::filesystem::current_path(data_folder());
    WideFont font = read_wide_font();
    ASSERT_TRUE(font.loaded) << font.fault;
    struct Case {
        const char *name;
        const char *note;
        std::vector<std::string> found; // a part of each finding, in order
    } cases[] = {
        {"French, German, Greek, Russian", " \xc3\xa9t\xc3\xa9 Stra\xc3\x9f" "e \xce\xb1 \xd0\xb6\n", {}},
        {"Hebrew", " \xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d\n", {"written in Hebrew, not supported yet"}},
        {"Devanagari and Arabic", " \xe0\xa4\x95 \xd8\xa8\n", {"Devanagari and Arabic, not supported yet"}},
        {"an emoji", " ok \xf0\x9f\x98\x80\n", {"no glyph for U+1F600"}},
        {"not UTF-8 is the reader's", " Caf\xe9\n", {}},
        {"decomposed accents: the letter itself", " Cafe\xcc\x81 o\xcc\x88 e\xcc\x81\n",
         {"the combining marks U+0301 and U+0308: write the accented letter itself: the panel "
          "gives every character a cell of its own, a combining accent too"}},
        {"a combining mark of another block", " x\xe2\x83\x97\n", {"the combining mark U+20D7:"}},
    };
    for (const Case &c : cases) {
        VersionRecord record{4, 25, c.note, 1};
        std::vector<Finding> found = note_character_findings(record, "v", font);
        ASSERT_EQ(found.size(), c.found.size()) << c.name;
        for (std::size_t i = 0; i < found.size(); i++)
            EXPECT_NE(found[i].text.find(c.found[i]), std::string::npos) << found[i].text;
    }
    // The panel's characters, not bytes, in boardcheck's quotes; a NUL is
    // the reader's problem, not a sign.
    struct Quote {
        const char *name;
        std::string note;
        const char *found;
    } quotes[] = {
        {"no blank before a Greek letter", "\xce\xb1\xce\xb2\n",
         "the game drops the note's first character \"\xce\xb1\""},
        {"no line end after a Greek letter", " \xce\xb1\xce\xb2",
         "drops the note's last character \"\xce\xb2\""},
        {"no blank before ESC", "\x1B[2J hi\n", "the note \"\\x1B[2J hi\""},
    };
    for (const Quote &q : quotes) {
        std::vector<Finding> found = note_findings(VersionRecord{4, 25, q.note, 1}, "v");
        ASSERT_FALSE(found.empty()) << q.name;
        EXPECT_NE(found[0].text.find(q.found), std::string::npos) << q.name << ": " << found[0].text;
    }
    EXPECT_TRUE(note_findings(VersionRecord{4, 25, std::string(" Nul \0 x\n", 9), 1}, "v").empty());
    std::vector<Finding> bom =
        note_character_findings(VersionRecord{4, 25, " a\xef\xbb\xbf" "b\n", 1}, "v", font);
    ASSERT_EQ(bom.size(), 1u);
    EXPECT_NE(bom[0].text.find("no glyph for U+FEFF"), std::string::npos) << bom[0].text;
    // A note only in Greek letters has words to speak.
    EXPECT_TRUE(note_findings(VersionRecord{4, 25, " \xce\xb1\xce\xb2\n", 1}, "v").empty());
}

// A question's or answer's characters the box cannot show, and answers
// with nothing to speak, are named at their line, as a note's are.
TEST(Boardcheck, CharactersTheQuestionBoxCannotShowAreNamed)
{
    std::filesystem::current_path(data_folder());
    QuestionCheck check;
    check.file = parse_questions_text("4|\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d?|a|b\n"
                                      "5|Greek \xce\xb1?|\xce\xb2|ok \xf0\x9f\x98\x80\n"
                                      "6|Cafe\xcc\x81?|a|b\n"
                                      "7|Which sign makes 3 _ 4 = 7?|+|\xc3\x97|-|\xce\xb1\n",
                                      version_questions_path("v"));
    ASSERT_EQ(check.file.questions.size(), 4u);
    std::vector<std::string> found;
    for (const Finding &finding : question_findings(check, "v"))
        found.push_back(finding.text);
    EXPECT_EQ(found,
              (std::vector<std::string>{
                  "./v/questions:1: the question is written in Hebrew, not supported yet: the "
                  "question box draws one cell a character from left to right and cannot show it right",
                  "./v/questions:2: the question box has no glyph for U+1F600: it shows a box "
                  "instead; use another character",
                  "./v/questions:3: the question holds the combining mark U+0301: write the "
                  "accented letter itself: the question box gives every character a cell of its "
                  "own, a combining accent too",
                  "./v/questions:4: warning: the answers \"+\", \"\xc3\x97\" and \"-\" have no "
                  "letter or digit: the speech program may fail on them and squarevox then makes "
                  "no voice; write them in words"}));
}

} // namespace
