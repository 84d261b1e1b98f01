// The version file reader shared by the game and the tools.
#include "records.h"

#include "guards.h"
#include "utf8.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

// A reading position in the text, with the line it is on.
struct Cursor {
    const std::string &text;
    std::size_t pos;
    int line;
};

bool at_end(const Cursor &c)
{
    return c.pos >= c.text.size();
}

bool is_space(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool is_digit(char ch)
{
    return ch >= '0' && ch <= '9';
}

void skip_space(Cursor &c)
{
    while (!at_end(c) && is_space(c.text[c.pos])) {
        if (c.text[c.pos] == '\n')
            c.line++;
        c.pos++;
    }
}

// Steps past the next line end, or to the end of the text.
void skip_line(Cursor &c)
{
    while (!at_end(c) && c.text[c.pos] != '\n')
        c.pos++;
    if (!at_end(c)) {
        c.pos++;
        c.line++;
    }
}

// The word at the cursor, cut short, to quote in a problem: its control
// bytes escaped, so that a line of the file cannot work the terminal.
std::string word_at(const Cursor &c)
{
    std::string word;
    for (std::size_t p = c.pos; p < c.text.size() && !is_space(c.text[p]) && word.size() < 20; p++)
        word += c.text[p];
    return terminal_text(word);
}

// Reads an optional sign and digits, as "%d" does after its white space.
// Fails, consuming nothing, when no digit follows. Values far outside the
// board are clamped, so a long run of digits cannot overflow.
bool read_number(Cursor &c, int &value)
{
    std::size_t p = c.pos;
    bool negative = false;
    if (p < c.text.size() && (c.text[p] == '+' || c.text[p] == '-'))
        negative = c.text[p++] == '-';
    if (p >= c.text.size() || !is_digit(c.text[p]))
        return false;
    long magnitude = 0;
    for (; p < c.text.size() && is_digit(c.text[p]); p++)
        magnitude = std::min(magnitude * 10 + (c.text[p] - '0'), 1000000L);
    value = int(negative ? -magnitude : magnitude);
    c.pos = p;
    return true;
}

bool on_board(int square)
{
    return square >= FIRST_SQUARE && square <= LAST_SQUARE;
}

// The rest of the line from `pos`, the line end and the carriage return of a
// CRLF line end left out.
std::string rest_of_line(const std::string &text, std::size_t pos)
{
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos)
        end = text.size();
    if (end > pos && text[end - 1] == '\r')
        end--;
    return text.substr(pos, end - pos);
}

// Reads one note: the rest of the line, line end included, at most 79
// characters: code points when the line is valid UTF-8, bytes otherwise (the
// same for ASCII). The carriage return of a CRLF line end is left out, and a
// carriage return that ends the text stands for its line end. Returns false
// when the line goes on past 79 characters; the cursor then stands on the
// 80th.
bool read_note(Cursor &c, std::string &note)
{
    note.clear();
    const bool by_character = is_valid_utf8(rest_of_line(c.text, c.pos));
    int count = 0;
    while (!at_end(c) &&
           (count < NOTE_MAX_CHARS || (by_character && is_utf8_continuation(c.text[c.pos])))) {
        char ch = c.text[c.pos++];
        if (ch == '\r' && (at_end(c) || c.text[c.pos] == '\n')) {
            if (at_end(c))
                ch = '\n';
            else
                continue;
        }
        note += ch;
        if (!(by_character && is_utf8_continuation(ch)))
            count++;
        if (ch == '\n') {
            c.line++;
            return true;
        }
    }
    // A note of exactly 79 characters leaves its line end for the next
    // record's white space.
    return at_end(c) || c.text[c.pos] == '\n' ||
           (c.text[c.pos] == '\r' && (c.pos + 1 == c.text.size() || c.text[c.pos + 1] == '\n'));
}

// Characters from `pos` to the line end, counted as read_note counts them.
int line_length(const std::string &text, std::size_t pos)
{
    return int(character_count(rest_of_line(text, pos)));
}

// The lines holding a carriage return that does not end them (a file saved
// with old Mac line ends is one line of them): the reader, like the game,
// reads on past such a return.
std::vector<int> bare_return_lines(const std::string &text)
{
    std::vector<int> lines;
    int line = 1;
    for (std::size_t p = 0; p < text.size(); p++) {
        if (text[p] == '\n')
            line++;
        else if (text[p] == '\r' && p + 1 < text.size() && text[p + 1] != '\n' &&
                 (lines.empty() || lines.back() != line))
            lines.push_back(line);
    }
    return lines;
}

// The words of a note, without the blank before them and the line end.
std::string quoted_words(const std::string &words)
{
    std::string shown = words;
    if (!shown.empty() && shown.back() == '\n')
        shown.pop_back();
    return "\"" + terminal_text(shown) + "\"";
}

// The game keeps a note as a C string: a NUL byte ends it there, and the
// panel and the n key's line show only what comes before.
std::string nul_problem(const std::string &note, std::size_t nul)
{
    return "the note holds a NUL byte (\\x00), where the game ends the note: the panel shows " +
           quoted_words(note.substr(nul == 0 ? 0 : 1, nul == 0 ? 0 : nul - 1)) +
           " and drops the rest, " + quoted_words(note.substr(nul + 1)) + "; remove the byte";
}

struct Reader {
    Cursor c;
    const std::string &name;
    std::vector<int> bare_returns;
    std::vector<std::pair<int, std::string>> found; // line and what, in reading order

    void problem(int line, const std::string &what)
    {
        found.emplace_back(line, what);
    }

    bool has_bare_return(int first, int last) const
    {
        return std::any_of(bare_returns.begin(), bare_returns.end(),
                           [&](int line) { return line >= first && line <= last; });
    }

    // Reads one square number of a record; on failure reports it and skips
    // the rest of the line.
    bool read_square(const char *which, int &square)
    {
        skip_space(c);
        if (at_end(c)) {
            problem(c.line, std::string("the file ends where the ") + which + " square belongs");
            return false;
        }
        int line = c.line;
        std::string word = word_at(c);
        if (!read_number(c, square)) {
            problem(line, std::string("the ") + which + " square \"" + word +
                              "\" is not a number; line skipped");
            skip_line(c);
            return false;
        }
        if (!on_board(square)) {
            problem(line, std::string("the ") + which + " square " + word +
                              " is outside 0 to 99; line skipped");
            skip_line(c);
            return false;
        }
        return true;
    }

    void read_record(VersionFile &out)
    {
        VersionRecord record{0, 0, std::string(), c.line};
        if (!read_square("start", record.start))
            return;
        int start_line = c.line;
        if (!read_square("end", record.end))
            return;
        int line = c.line;
        if (line != start_line)
            problem(start_line, "the line holds only the start square " +
                                    std::to_string(record.start) + ", so the end square " +
                                    std::to_string(record.end) + " and the note are taken from line " +
                                    std::to_string(line) +
                                    ": write both squares and the note on one line");
        int shown = line_length(c.text, c.pos) - 1; // the panel skips the first one
        record.cut = !read_note(c, record.note);
        if (record.cut && !has_bare_return(line, line))
            problem(line, long_note_problem(shown, true));
        std::size_t nul = record.note.find('\0');
        if (nul != std::string::npos)
            problem(line, nul_problem(record.note, nul));
        if (record.cut)
            skip_line(c);
        out.records.push_back(record);
    }
};

} // namespace

std::string long_note_problem(int shown, bool cut)
{
    return "the note has " + std::to_string(shown) +
           " characters after the blank, and the game shows at most " +
           std::to_string(NOTE_TEXT_MAX) + ": shorten it" +
           (cut ? " (now the rest of the line is dropped)" : " (now its last character is lost)");
}

VersionFile parse_version_text(const std::string &text, const std::string &name)
{
    VersionFile out;
    out.opened = true;
    if (starts_as_utf16(text)) {
        out.problems.push_back(name + ":1: " + utf16_problem(text));
        return out;
    }
    // A byte order mark, as Windows Notepad writes at the start of a UTF-8
    // file, is skipped (mended: see QUIRKS.md, 'byte order mark').
    std::size_t start = text.compare(0, 3, UTF8_BOM) == 0 ? 3 : 0;
    Reader reader{Cursor{text, start, 1}, name, bare_return_lines(text), {}};
    for (int line : reader.bare_returns)
        reader.problem(line, "the line holds a carriage return that does not end it, as a file "
                             "saved with old Mac line ends does: the game reads on past it, so "
                             "what follows runs into this line's note; save the file with "
                             "ordinary line ends");
    for (;;) {
        skip_space(reader.c);
        if (at_end(reader.c))
            break;
        reader.read_record(out);
    }
    std::stable_sort(reader.found.begin(), reader.found.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &[line, what] : reader.found)
        out.problems.push_back(name + ":" + std::to_string(line) + ": " + what);
    return out;
}

VersionFile read_version_file(const std::string &path)
{
    FileRead file = read_regular_file(path, VERSION_FILE_MAX_BYTES);
    if (!file.ok) {
        VersionFile refused;
        refused.fault = file.fault;
        return refused;
    }
    return parse_version_text(file.bytes, path);
}

std::string version_text(const std::vector<VersionRecord> &records)
{
    std::string text;
    for (std::size_t i = 0; i < records.size(); i++) {
        const VersionRecord &record = records[i];
        text += std::to_string(record.start) + " " + std::to_string(record.end) + record.note;
        // A full note kept no line end. A shorter one without it is the file's
        // last line, written as read: "4 25" alone at the end of a file reads
        // as an empty note, and a line end after it as a note of its own.
        bool ends_line = !record.note.empty() && record.note.back() == '\n';
        bool full = record.note.size() == std::size_t(NOTE_MAX_CHARS);
        if (!ends_line && (full || i + 1 < records.size()))
            text += '\n';
    }
    return text;
}

std::string write_version_file(const std::string &path, const std::vector<VersionRecord> &records)
{
    return write_file_replacing(path, version_text(records));
}
