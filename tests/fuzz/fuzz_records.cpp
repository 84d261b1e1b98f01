// Fuzz target: arbitrary bytes as a version file. Every accepted record must
// lie on the board with a note of at most 79 characters, reading must end,
// and the problems must name the file and a line of it.
#include "records.h"
#include "utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

namespace {

const std::string NAME = "fuzz.config";

void require(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// The text as the reader sees its line ends: a carriage return before a line
// end, or at the very end, is read as part of the line end.
std::string as_read(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); i++) {
        bool last = i + 1 == text.size();
        if (text[i] == '\r' && (last || text[i + 1] == '\n')) {
            if (last)
                out += '\n';
            continue;
        }
        out += text[i];
    }
    return out;
}

void check_record(const std::string &raw, const VersionRecord &r, int lines)
{
    const std::string text = as_read(raw);
    require(r.start >= FIRST_SQUARE && r.start <= LAST_SQUARE, "start square on the board");
    require(r.end >= FIRST_SQUARE && r.end <= LAST_SQUARE, "end square on the board");
    // Characters as the panel counts them: code points of a valid UTF-8
    // line, bytes of any other (a byte-read note's valid prefix counts fewer).
    require(character_count(r.note) <= std::size_t(NOTE_MAX_CHARS), "note of at most 79 characters");
    std::size_t newline = r.note.find('\n');
    require(newline == std::string::npos || newline + 1 == r.note.size(),
            "a line end only at the end of a note");
    // A note cut short of 79 characters without its line end ran to the end
    // of the file.
    if (r.note.size() < std::size_t(NOTE_MAX_CHARS) && newline == std::string::npos)
        require(text.size() >= r.note.size() &&
                    text.compare(text.size() - r.note.size(), r.note.size(), r.note) == 0,
                "a note without its line end is the end of the file");
    require(r.note.empty() || text.find(r.note) != std::string::npos, "the note is from the text");
    require(r.line >= 1 && r.line <= lines, "the record's line is in the file");
}

// "fuzz.config:<line>: <what>", line within the file.
void check_problem(const std::string &p, int lines)
{
    require(p.compare(0, NAME.size() + 1, NAME + ":") == 0, "a problem names the file");
    const char *digits = p.c_str() + NAME.size() + 1;
    char *after = nullptr;
    long line = std::strtol(digits, &after, 10);
    require(after != digits && *after == ':', "a problem names a line");
    require(line >= 1 && line <= lines, "a problem's line is in the file");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const int lines = int(std::count(text.begin(), text.end(), '\n')) + 1;
    VersionFile file = parse_version_text(text, NAME);
    require(file.opened, "text in memory is always read");
    int last_line = 0;
    for (const VersionRecord &r : file.records) {
        check_record(text, r, lines);
        require(r.line > last_line, "records start on later and later lines");
        last_line = r.line;
    }
    for (const std::string &p : file.problems)
        check_problem(p, lines);
    // A line gives at most one problem of its record, since reading goes on
    // at the next line, and one more for a carriage return inside it.
    require(file.problems.size() <= 2 * std::size_t(lines), "at most two problems a line");
    return 0;
}
