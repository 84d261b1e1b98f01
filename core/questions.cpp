// The questions file reader and the rules of an answer.
#include "questions.h"

#include "guards.h"
#include "utf8.h"

#include <algorithm>

namespace {

std::string trimmed(const std::string &text)
{
    std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return "";
    std::size_t end = text.find_last_not_of(" \t");
    return text.substr(start, end - start + 1);
}

// A spreadsheet writes a field holding a quote or separator as "...", its
// quotes doubled.
std::string unquoted(const std::string &field)
{
    if (field.size() < 2 || field.front() != '"' || field.back() != '"')
        return field;
    std::string inner;
    for (std::size_t i = 1; i + 1 < field.size(); i++) {
        inner += field[i];
        if (field[i] == '"' && field[i + 1] == '"')
            i++;
    }
    return trimmed(inner);
}

std::vector<std::string> fields_of(const std::string &line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t cut = line.find_first_of("|\t", start);
        fields.push_back(unquoted(trimmed(line.substr(start, cut - start))));
        if (cut == std::string::npos)
            return fields;
        start = cut + 1;
    }
}

// A value quoted in a problem, cut short, its control bytes escaped so that
// a line of the file cannot work the terminal.
std::string quoted(const std::string &value)
{
    std::vector<char32_t> chars = text_characters(value);
    if (chars.size() <= 40)
        return "\"" + terminal_text(value) + "\"";
    std::size_t cut = 0;
    for (int n = 0; n < 37; n++)
        cut += std::max<std::size_t>(utf8_sequence_length(value, cut), 1);
    return "\"" + terminal_text(value.substr(0, cut)) + "...\"";
}

bool read_square(const std::string &field, int &square)
{
    if (field.empty() || field.size() > 3 ||
        !std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    square = std::stoi(field);
    return square >= QUESTION_FIRST_SQUARE && square <= QUESTION_LAST_SQUARE;
}

const char *field_name(std::size_t index)
{
    static const char *const names[] = {"the square", "the question", "the right answer"};
    return index < 3 ? names[index] : "a wrong answer";
}

// What is wrong with one line's fields, or an empty text.
std::string line_fault(const std::vector<std::string> &fields, int &square)
{
    if (fields.size() == 1)
        return "the line has no | or tab between its fields: write SQUARE|QUESTION|RIGHT|WRONG, "
               "or save the spreadsheet as tab-separated text (not comma-separated)";
    if (!read_square(fields[0], square))
        return "the square " + quoted(fields[0]) + " is not a number from " +
               std::to_string(QUESTION_FIRST_SQUARE) + " to " + std::to_string(QUESTION_LAST_SQUARE);
    if (fields.size() < 4)
        return "fewer than two answers: a question needs its right answer and at least one "
               "wrong one, SQUARE|QUESTION|RIGHT|WRONG";
    if (fields.size() > 2 + MAX_ANSWERS)
        return std::to_string(fields.size() - 2) + " answers: at most " +
               std::to_string(MAX_ANSWERS) + " fit the box (the right one and 3 wrong ones)";
    // The box would draw a control character as a sign of its own, and the
    // speech program stops at a NUL.
    for (std::size_t i = 1; i < fields.size(); i++)
        if (terminal_text(fields[i]) != fields[i])
            return "field " + std::to_string(i + 1) + " (" + field_name(i) + ") " +
                   quoted(fields[i]) +
                   " holds a control character, which the box cannot show and the terminal "
                   "must not get: remove it";
    for (std::size_t i = 1; i < fields.size(); i++)
        if (fields[i].empty())
            return "field " + std::to_string(i + 1) + " (" + field_name(i) + ") is empty";
    for (std::size_t i = 2; i < fields.size(); i++)
        for (std::size_t j = i + 1; j < fields.size(); j++)
            if (fields[i] == fields[j])
                return i == 2 ? "the right answer " + quoted(fields[i]) + " is also a wrong one"
                              : "the wrong answer " + quoted(fields[i]) + " is there twice";
    std::size_t lines = wrap_words(fields[1], QUESTION_LINE_CHARS).size();
    if (lines > std::size_t(QUESTION_MAX_LINES))
        return "the question " + quoted(fields[1]) + " is too long to show: it takes " +
               std::to_string(lines) + " lines of " + std::to_string(QUESTION_LINE_CHARS) +
               " characters, the box has " + std::to_string(QUESTION_MAX_LINES);
    for (std::size_t i = 2; i < fields.size(); i++)
        if (character_count(fields[i]) > std::size_t(ANSWER_MAX_CHARS))
            return "the answer " + quoted(fields[i]) + " is too long to show: " +
                   std::to_string(character_count(fields[i])) + " characters, at most " +
                   std::to_string(ANSWER_MAX_CHARS);
    return "";
}

} // namespace

std::string version_questions_path(const std::string &version)
{
    return "./" + version + "/questions";
}

QuestionFile parse_questions_text(const std::string &text, const std::string &name)
{
    QuestionFile file;
    file.given = file.opened = true;
    std::vector<int> asked(SQUARE_COUNT, 0);
    if (starts_as_utf16(text)) {
        file.problems.push_back(name + ":1: " + utf16_problem(text));
        return file;
    }
    std::size_t pos = text.compare(0, 3, UTF8_BOM) == 0 ? 3 : 0;
    for (int line = 1; pos <= text.size(); line++) {
        std::size_t end = text.find('\n', pos);
        std::string raw = text.substr(pos, end == std::string::npos ? end : end - pos);
        pos = end == std::string::npos ? text.size() + 1 : end + 1;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        std::string content = trimmed(raw);
        if (content.empty() || content[0] == '#')
            continue;
        std::string at = name + ":" + std::to_string(line) + ": ";
        if (!is_valid_utf8(raw)) {
            file.problems.push_back(at + "not UTF-8 text: save the file as UTF-8");
            continue;
        }
        if (raw.find('\r') != std::string::npos) {
            file.problems.push_back(at + "the line holds a carriage return that does not end it, "
                                         "as a file saved with old Mac line ends does: save the "
                                         "file with ordinary line ends");
            continue;
        }
        std::vector<std::string> fields = fields_of(raw);
        int square = 0;
        if (std::string fault = line_fault(fields, square); !fault.empty()) {
            file.problems.push_back(at + fault);
            continue;
        }
        Question q;
        q.square = square;
        q.line = line;
        q.order = ++asked[std::size_t(square)];
        q.text = fields[1];
        q.right = fields[2];
        q.wrong.assign(fields.begin() + 3, fields.end());
        file.questions.push_back(q);
    }
    return file;
}

QuestionFile read_version_questions(const std::string &version)
{
    std::string path = version_questions_path(version);
    FileRead read = read_regular_file(path, QUESTIONS_FILE_MAX_BYTES);
    if (read.missing)
        return QuestionFile{};
    if (!read.ok) {
        QuestionFile file;
        file.given = true;
        file.fault = path + ": " + read.fault;
        return file;
    }
    return parse_questions_text(read.bytes, path);
}

std::vector<std::string> wrap_words(const std::string &text, int width)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t start = text.find_first_not_of(' ', pos);
        if (start == std::string::npos)
            break;
        std::size_t end = std::min(text.find(' ', start), text.size());
        std::string word = text.substr(start, end - start);
        pos = end;
        std::size_t length = character_count(word);
        if (used > 0 && used + 1 + length > std::size_t(width)) {
            lines.push_back(line);
            line.clear();
            used = 0;
        }
        // A word longer than a line is cut into line-long pieces.
        while (used == 0 && length > std::size_t(width)) {
            std::size_t cut = 0;
            for (int n = 0; n < width; n++)
                cut += std::max<std::size_t>(utf8_sequence_length(word, cut), 1);
            lines.push_back(word.substr(0, cut));
            word.erase(0, cut);
            length -= std::size_t(width);
        }
        line += (used > 0 ? " " : "") + word;
        used += (used > 0 ? 1 : 0) + length;
    }
    if (used > 0)
        lines.push_back(line);
    return lines;
}

std::vector<std::vector<int>> questions_by_square(const QuestionFile &file)
{
    std::vector<std::vector<int>> by_square(SQUARE_COUNT);
    for (std::size_t i = 0; i < file.questions.size(); i++)
        by_square[std::size_t(file.questions[i].square)].push_back(int(i));
    return by_square;
}

int answered_square(int square, int dest, bool right)
{
    if (dest == NO_DEST)
        return square;
    bool ladder = dest > square;
    return ladder == right ? dest : square;
}

bool answer_rolls_again(int dest, bool right)
{
    return dest == NO_DEST && right;
}

bool answer_praised(int square, int dest, bool right)
{
    return dest != NO_DEST && dest <= square && right;
}

std::string question_text_path(const std::string &version, const Question &question, int part)
{
    std::string square = std::to_string(question.square);
    if (square.size() < 2)
        square = "0" + square;
    std::string path = "./" + version + "/question" + square + "-" + std::to_string(question.order);
    return part == 0 ? path : path + "-answer" + std::to_string(part);
}

std::string question_sound_path(const std::string &version, const Question &question, int part)
{
    return question_text_path(version, question, part) + ".wav";
}

const std::string &question_part(const Question &question, int part)
{
    if (part == 0)
        return question.text;
    if (part == 1)
        return question.right;
    return question.wrong[std::size_t(part - 2)];
}

int question_parts(const Question &question)
{
    return 2 + int(question.wrong.size());
}
