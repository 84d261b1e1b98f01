// The version file reader shared by the game and the tools.
#include "records.h"

#include "guards.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

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

// The word at the cursor, cut short, to quote in a problem.
std::string word_at(const Cursor &c)
{
    std::string word;
    for (std::size_t p = c.pos; p < c.text.size() && !is_space(c.text[p]) && word.size() < 20; p++)
        word += c.text[p];
    return word;
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

// Reads one note: the rest of the line, line end included, at most 79
// characters. Returns false when the line goes on past 79 characters; the
// cursor then stands on the 80th.
bool read_note(Cursor &c, std::string &note)
{
    note.clear();
    while (!at_end(c) && note.size() < std::size_t(NOTE_MAX_CHARS)) {
        char ch = c.text[c.pos++];
        note += ch;
        if (ch == '\n') {
            c.line++;
            return true;
        }
    }
    // A note of exactly 79 characters leaves its line end for the next
    // record's white space.
    return at_end(c) || c.text[c.pos] == '\n';
}

struct Reader {
    Cursor c;
    const std::string &name;
    VersionFile &out;

    void problem(int line, const std::string &what)
    {
        std::ostringstream msg;
        msg << name << ':' << line << ": " << what;
        out.problems.push_back(msg.str());
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

    void read_record()
    {
        VersionRecord record{0, 0, std::string(), c.line};
        if (!read_square("start", record.start) || !read_square("end", record.end))
            return;
        int line = c.line;
        if (!read_note(c, record.note)) {
            problem(line, "the note is longer than 79 characters; the rest of the line is skipped");
            skip_line(c);
        }
        out.records.push_back(record);
    }
};

} // namespace

VersionFile parse_version_text(const std::string &text, const std::string &name)
{
    VersionFile out;
    out.opened = true;
    Reader reader{Cursor{text, 0, 1}, name, out};
    for (;;) {
        skip_space(reader.c);
        if (at_end(reader.c))
            break;
        reader.read_record();
    }
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
