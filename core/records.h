// The reader of a version file: the one piece of code that splits
// "./<version>/<version>.config" into records, for the game and the tools.
#pragma once

#include "rules.h"

#include <string>
#include <vector>

// Characters of a note that the panel shows whole, counted as the author
// counts them: after the blank that follows the end square, up to the line
// end. The reader keeps 79 characters with the blank and the line end; the
// panel skips the blank and drops the last character kept.
constexpr int NOTE_TEXT_MAX = NOTE_MAX_CHARS - 2;

// The most bytes a note read holds: 79 characters of up to 4 bytes each in
// UTF-8. A square text file holding a note is never longer.
constexpr int NOTE_MAX_BYTES = 4 * NOTE_MAX_CHARS;

// One ladder or chute: its start and end square and the note of its start.
struct VersionRecord {
    int start;        // 0 to 99
    int end;          // 0 to 99; above start a ladder, below a chute
    std::string note; // as read: normally the blank after the end square, the
                      // words and the line end; a note of exactly 79 characters
                      // keeps no line end; never longer than 79
    int line;         // line of the file on which the record starts, from 1
    bool cut = false; // the line went on past the 79 characters kept
};

struct VersionFile {
    bool opened = false;                 // false: the file could not be read
    std::string fault;                   // why not, in words ("missing", "it is
                                         // a folder, not a file", ...)
    std::vector<VersionRecord> records;  // in file order, duplicates kept
    std::vector<std::string> problems;   // "path:line: what is wrong", in order
};

// Reads a version file. Each record is a start square, an end square (decimal
// numbers after any white space, line ends included) and the rest of that line
// as its note; a CRLF line end is read as a plain line end. A record whose
// numbers are missing, not numbers or outside 0 to 99 is skipped with a
// problem and reading goes on at the next line; a note longer than 79
// characters keeps its first 79, the rest of its line is skipped and it is a
// problem (a note of exactly 79 is no problem here, though the panel then
// drops its last character: boardcheck names that); a file that
// ends right after both numbers gives an empty note. Lines the reading runs
// together are kept as read, each with a problem: a start square alone on its
// line (the end square and note come from a later line), and a carriage
// return inside a line (old Mac line ends). A note holding a NUL byte is
// kept whole with a problem quoting what the game shows and what it drops.
// A UTF-8 byte order mark at the start of the file is skipped; a file that
// starts with a UTF-16 one gives no records and one problem. Problems are in
// line order, their quotes of the file escaped (terminal_text). A file that
// is missing, not a regular file or larger than VERSION_FILE_MAX_BYTES gives
// opened == false, its fault and no records.
VersionFile read_version_file(const std::string &path);

// The same reading over text already in memory; `name` stands for the path in
// the problems.
VersionFile parse_version_text(const std::string &text, const std::string &name);

// The words of the problem of a note with `shown` characters after its blank,
// more than NOTE_TEXT_MAX: `cut` when the reader dropped the rest of its line.
std::string long_note_problem(int shown, bool cut);

// The text of a version file that reads back as `records`: each record's
// start and end square, then its note as read (which begins with the blank
// after the end square and ends with the line end); a note that kept no line
// end gets one when it is full (79 characters) or not on the last line.
// Text read from a tidy file (one record a line, no blank lines) is given
// back as it was; any text's records read back the same.
std::string version_text(const std::vector<VersionRecord> &records);

// Writes version_text(records) to `path` through write_file_replacing: an old
// file is replaced only once the new one is whole. Returns the fault in
// words, empty on success.
std::string write_version_file(const std::string &path, const std::vector<VersionRecord> &records);
