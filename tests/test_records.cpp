// The version file reader: well-formed files exactly as the format says,
// malformed lines skipped with a message naming the file and line.
#include "paths.h"
#include "records.h"

#include "support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Expected {
    int start, end;
    std::string note;
};

struct Case {
    const char *name;
    std::string text;
    std::vector<Expected> records;
    std::vector<std::string> problems;
};

std::string repeat(char c, int n)
{
    return std::string(std::size_t(n), c);
}

const std::string note78 = " " + repeat('a', 77); // 78 characters with its blank
const std::string note79 = " " + repeat('b', 78);
const std::string note85 = " " + repeat('c', 84);

const std::vector<Case> cases = {
    {"empty file", "", {}, {}},
    {"white space only", " \n\t\n  \n", {}, {}},
    {"one record", "7 3 The note\n", {{7, 3, " The note\n"}}, {}},
    {"blank lines before and between", "\n\n4 14 up\n\n\n30 12 down\n",
     {{4, 14, " up\n"}, {30, 12, " down\n"}}, {}},
    {"nothing after the end square", "5 6\n8 9 x\n", {{5, 6, "\n"}, {8, 9, " x\n"}}, {}},
    {"equal squares", "7 7 stay\n", {{7, 7, " stay\n"}}, {}},
    {"duplicate start kept in order", "12 30 a\n12 40 b\n", {{12, 30, " a\n"}, {12, 40, " b\n"}}, {}},
    {"last line without line end", "1 2 a\n3 4 last", {{1, 2, " a\n"}, {3, 4, " last"}}, {}},
    {"78 character note keeps its line end", "1 2" + note78 + "\n5 6 x\n",
     {{1, 2, note78 + "\n"}, {5, 6, " x\n"}}, {}},
    {"79 character note loses its line end", "1 2" + note79 + "\n5 6 x\n",
     {{1, 2, note79}, {5, 6, " x\n"}}, {}},
    {"79 character note at the end of the file", "1 2" + note79, {{1, 2, note79}}, {}},
    {"CRLF line ends read as line ends", "1 2 a\r\n3 4" + note78 + "\r\n5 6 c\r",
     {{1, 2, " a\n"}, {3, 4, note78 + "\n"}, {5, 6, " c\n"}}, {}},
    {"lines ending in a bare carriage return run together", "1 2 a\r3 4 b\r",
     {{1, 2, " a\r3 4 b\n"}},
     {"v.config:1: the line holds a carriage return that does not end it, as a file saved with "
      "old Mac line ends does: the game reads on past it, so what follows runs into this line's "
      "note; save the file with ordinary line ends"}},
    {"signed numbers", "+5 -0 x\n", {{5, 0, " x\n"}}, {}},
    {"end square on the next line", "5\n\n6 x\n", {{5, 6, " x\n"}},
     {"v.config:1: the line holds only the start square 5, so the end square 6 and the note "
      "are taken from line 3: write both squares and the note on one line"}},
    {"trailing blanks after the last record", "1 2 a\n   \n\n", {{1, 2, " a\n"}}, {}},
    {"file ends after both numbers", "1 2 a\n3 4", {{1, 2, " a\n"}, {3, 4, ""}}, {}},
    {"start square out of range", "100 5 x\n6 7 y\n", {{6, 7, " y\n"}},
     {"v.config:1: the start square 100 is outside 0 to 99; line skipped"}},
    {"end square out of range", "1 2 a\n5 -1 x\n6 7 y\n", {{1, 2, " a\n"}, {6, 7, " y\n"}},
     {"v.config:2: the end square -1 is outside 0 to 99; line skipped"}},
    {"huge number", "99999999999999999999 5 x\n6 7 y\n", {{6, 7, " y\n"}},
     {"v.config:1: the start square 99999999999999999999 is outside 0 to 99; line skipped"}},
    {"text where the start belongs", "abc 5 x\n6 7 y\n", {{6, 7, " y\n"}},
     {"v.config:1: the start square \"abc\" is not a number; line skipped"}},
    {"text where the end belongs", "5 abc def\n6 7 y\n", {{6, 7, " y\n"}},
     {"v.config:1: the end square \"abc\" is not a number; line skipped"}},
    {"a lone sign is not a number", "- 5 x\n6 7 y\n", {{6, 7, " y\n"}},
     {"v.config:1: the start square \"-\" is not a number; line skipped"}},
    {"file ends after the start square", "1 2 a\n3", {{1, 2, " a\n"}},
     {"v.config:2: the file ends where the end square belongs"}},
    {"over-long note keeps 79 characters", "1 2" + note85 + "\n5 6 x\n",
     {{1, 2, note85.substr(0, 79)}, {5, 6, " x\n"}},
     {"v.config:1: the note has 84 characters after the blank, and the game shows at most 77: "
      "shorten it (now the rest of the line is dropped)"}},
    {"over-long note at the end of the file", "1 2" + note85,
     {{1, 2, note85.substr(0, 79)}},
     {"v.config:1: the note has 84 characters after the blank, and the game shows at most 77: "
      "shorten it (now the rest of the line is dropped)"}},
    {"a byte order mark before the first record", "\xEF\xBB\xBF" "4 14 up\n", {{4, 14, " up\n"}}, {}},
    {"a file saved as UTF-16", std::string("\xFF\xFE" "4\0 \0" "1\0", 8), {},
     {"v.config:1: the file is saved as UTF-16 (it starts with the bytes \\xFF\\xFE), which the "
      "programs do not read: save it as UTF-8"}},
    {"a NUL byte inside a note", std::string("4 14 Nul \0 inside\n5 6 x\n", 24),
     {{4, 14, std::string(" Nul \0 inside\n", 14)}, {5, 6, " x\n"}},
     {"v.config:1: the note holds a NUL byte (\\x00), where the game ends the note: the panel "
      "shows \"Nul \" and drops the rest, \" inside\"; remove the byte"}},
    {"control bytes in a problem are escaped", "\x1B]0;owned\x07 5 x\n\x1B[2J 1 a\n", {},
     {"v.config:1: the start square \"\\x1B]0;owned\\x07\" is not a number; line skipped",
      "v.config:2: the start square \"\\x1B[2J\" is not a number; line skipped"}},
    {"problems name their own lines", "\n\nx 1 a\n\n1 2 b\n200 1 c\n",
     {{1, 2, " b\n"}},
     {"v.config:3: the start square \"x\" is not a number; line skipped",
      "v.config:6: the start square 200 is outside 0 to 99; line skipped"}},
};

TEST(VersionReader, SplitsTextIntoRecords)
{
    for (const Case &c : cases) {
        VersionFile file = parse_version_text(c.text, "v.config");
        ASSERT_EQ(file.records.size(), c.records.size()) << c.name;
        for (std::size_t i = 0; i < c.records.size(); i++) {
            EXPECT_EQ(file.records[i].start, c.records[i].start) << c.name << " record " << i;
            EXPECT_EQ(file.records[i].end, c.records[i].end) << c.name << " record " << i;
            EXPECT_EQ(file.records[i].note, c.records[i].note) << c.name << " record " << i;
        }
        EXPECT_EQ(file.problems, c.problems) << c.name;
    }
}

TEST(VersionReader, RecordsKnowTheirLines)
{
    VersionFile file = parse_version_text("\n1 2 a\n\n\n3 4" + note79 + "\n5 6 b\n", "v");
    ASSERT_EQ(file.records.size(), 3u);
    EXPECT_EQ(file.records[0].line, 2);
    EXPECT_EQ(file.records[1].line, 5);
    EXPECT_EQ(file.records[2].line, 6);
}

TEST(VersionReader, ReadsFilesAndRefusesWhatCannotBeOpened)
{
    enter_scratch_folder("records");
    write_file("./demo/demo.config", "4 14 climb\n");
    EXPECT_EQ(version_config_path("demo"), "./demo/demo.config");
    VersionFile file = read_version_file(version_config_path("demo"));
    EXPECT_TRUE(file.opened);
    ASSERT_EQ(file.records.size(), 1u);
    EXPECT_EQ(file.records[0].note, " climb\n");

    EXPECT_FALSE(read_version_file("./missing/missing.config").opened);
    std::filesystem::create_directories("./folder.config");
    EXPECT_FALSE(read_version_file("./folder.config").opened);
}

bool same_records(const std::vector<VersionRecord> &a, const std::vector<VersionRecord> &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); i++)
        if (a[i].start != b[i].start || a[i].end != b[i].end || a[i].note != b[i].note)
            return false;
    return true;
}

// Text to records to text: every text's records read back the same from the
// written text, and a tidy text (the shipped boards, notes in Latin-1 and
// UTF-8, a last line without a note) comes back byte for byte.
TEST(VersionWriter, WritesWhatTheReaderReadsBack)
{
    std::vector<std::pair<std::string, std::string>> texts; // name, text
    for (const Case &c : cases)
        texts.emplace_back(c.name, c.text);
    const std::vector<std::pair<std::string, std::string>> tidy = {
        {"Latin-1 note", "4 25 caf\xe9 cr\xe8me\n"},
        {"UTF-8 note", "4 25 \xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82\n19 2 \xce\xb1\xce\xb2\n"},
        {"a last line without a note", "4 25 up\n30 2"},
        {"79 character note", "1 2" + note79 + "\n"},
        {"mivo", read_file(data_folder() + "/mivo/mivo.config")},
        {"lirou", read_file(data_folder() + "/lirou/lirou.config")},
    };
    for (const auto &[name, text] : tidy) {
        texts.emplace_back(name, text);
        EXPECT_EQ(version_text(parse_version_text(text, "v").records), text) << name;
    }
    for (const auto &[name, text] : texts) {
        std::vector<VersionRecord> records = parse_version_text(text, "v").records;
        VersionFile again = parse_version_text(version_text(records), "v");
        EXPECT_TRUE(same_records(again.records, records)) << name;
    }

    enter_scratch_folder("writer");
    std::vector<VersionRecord> records = parse_version_text(tidy[4].second, "v").records;
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(write_version_file("./w.config", records), "");
    EXPECT_EQ(read_file("./w.config"), tidy[4].second);
}

TEST(VersionReader, LongVersionNamesMakeLongPaths)
{
    std::string name = repeat('n', 300);
    EXPECT_EQ(version_config_path(name), "./" + name + "/" + name + ".config");
}

} // namespace
