// The checks of one note: how the panel will draw it and the speech say it.
#include "notes.h"

#include "geometry.h"
#include "utf8.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

Finding make(const VersionRecord &record, const std::string &path, bool warning,
             const std::string &what)
{
    return Finding{record.line, warning,
                   path + ":" + std::to_string(record.line) + ": " + (warning ? "warning: " : "") +
                       what};
}

bool is_blank(char ch)
{
    return ch == ' ' || ch == '\t';
}

std::string hex_byte(unsigned char byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

void add_once(std::vector<std::string> &list, const std::string &item)
{
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

// Whether the 8-bit font's glyph of a control byte (below 0x20, or 0x7F) is
// blank, so the panel leaves its cell empty: only DEL's. The others are
// signs of their own (test_boardcheck_report reads the font to hold this;
// mended: see QUIRKS.md, 'what the panel shows').
bool control_glyph_is_blank(unsigned char ch)
{
    return ch == 0x7F;
}

// Whether `ch` is a combining mark (an accent written after its letter):
// the combining blocks of Unicode.
bool is_combining_mark(char32_t ch)
{
    return (ch >= 0x300 && ch <= 0x36F) || (ch >= 0x1AB0 && ch <= 0x1AFF) ||
           (ch >= 0x1DC0 && ch <= 0x1DFF) || (ch >= 0x20D0 && ch <= 0x20FF) ||
           (ch >= 0xFE20 && ch <= 0xFE2F);
}

std::string seconds(double ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", ms / 1000);
    return text;
}

} // namespace

std::string joined(const std::vector<std::string> &items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); i++)
        text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return text;
}

std::string words_of(const std::string &note)
{
    std::string words = note.empty() ? note : note.substr(1);
    if (!words.empty() && words.back() == '\n')
        words.pop_back();
    return words;
}

bool is_letter_or_digit(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

// Whether a character of a valid UTF-8 note is a letter or digit to speak:
// ASCII ones, and every character from U+00C0 on but the punctuation blocks.
bool is_spoken_character(char32_t ch)
{
    if (ch < 0x80)
        return is_letter_or_digit(char(ch));
    return ch >= 0xC0 && !(ch >= 0x2000 && ch <= 0x2BFF) && ch != 0xD7 && ch != 0xF7;
}

bool has_spoken_character(const std::string &words)
{
    std::vector<char32_t> chars = text_characters(words);
    return std::any_of(chars.begin(), chars.end(), is_spoken_character);
}

bool note_is_speakable(const VersionRecord &record)
{
    std::string words = words_of(record.note);
    if (is_valid_utf8(words))
        return has_spoken_character(words);
    return std::any_of(words.begin(), words.end(), is_letter_or_digit);
}

bool end_square_is_clear(const VersionRecord &record)
{
    return record.note.empty() || is_blank(record.note[0]) || record.note[0] == '\n';
}

std::vector<Finding> note_findings(const VersionRecord &record, const std::string &path)
{
    std::vector<Finding> found;
    const std::string &note = record.note;
    std::string words = words_of(note);
    bool blank_first = end_square_is_clear(record);
    // The panel's cells: whole characters of a note in UTF-8, bytes otherwise.
    const std::vector<std::string> cells = text_cells(note);
    if (!blank_first)
        found.push_back(make(record, path, false,
                             "there is no blank between the end square " +
                                 std::to_string(record.end) + " and the note \"" +
                                 terminal_text(words_of(" " + note)) +
                                 "\": the game drops the note's first character \"" +
                                 terminal_text(cells.front()) + "\"; put a blank after " +
                                 std::to_string(record.end)));
    bool has_words = std::any_of(words.begin(), words.end(), [](char ch) { return !is_blank(ch); });
    if (blank_first && !has_words) {
        found.push_back(make(record, path, false,
                             "the record has no note: the panel stays empty and squarevox has "
                             "nothing to speak; write a few words after the end square"));
        return found;
    }
    if (int(character_count(note)) == NOTE_MAX_CHARS && note.back() != '\n' && !record.cut)
        found.push_back(make(record, path, false,
                             long_note_problem(int(character_count(words)), false)));
    else if (!record.cut && !note.empty() && note.back() != '\n' && has_words)
        found.push_back(make(record, path, true,
                             "the file's last line has no line end, so the panel drops the note's "
                             "last character \"" + terminal_text(cells.back()) +
                                 "\": press Enter at the end of the line"));
    std::vector<std::string> foreign, latin1, control, blank_control, boxed_control;
    // A note in valid UTF-8 is drawn as characters: note_character_findings
    // judges those beyond ASCII. One without any is drawn byte for byte, its
    // control characters as the 8-bit font has them; one with them draws a
    // box for a control character.
    const bool by_character = is_valid_utf8(words);
    const bool boxes_controls =
        by_character && std::any_of(words.begin(), words.end(), [](char ch) {
            return static_cast<unsigned char>(ch) >= 0x80;
        });
    bool letter = by_character && note_is_speakable(record);
    for (std::size_t p = 0; p < words.size(); p++) {
        unsigned char ch = static_cast<unsigned char>(words[p]);
        if (ch >= 0x80 && by_character) {
            continue;
        } else if (ch >= 0x80) {
            std::size_t n = utf8_sequence_length(words, p);
            if (n == 0) { // a byte of its own: the 8-bit font is Latin-1
                if (ch >= 0xA0)
                    add_once(latin1, "the byte " + hex_byte(ch) + " (\"" +
                                         char(0xC0 | (ch >> 6)) + char(0x80 | (ch & 0x3F)) + "\")");
                else
                    add_once(blank_control, "the byte " + hex_byte(ch));
                continue;
            }
            add_once(foreign, "\"" + terminal_text(words.substr(p, n)) + "\" (" + std::to_string(n) +
                                  " wrong signs)");
            p += n - 1;
        } else if ((ch < 0x20 && ch != '\r' && ch != 0) || ch == 0x7F) {
            // A return and a NUL byte are the reader's problems.
            add_once(boxes_controls               ? boxed_control
                     : control_glyph_is_blank(ch) ? blank_control
                                                  : control,
                     ch == '\t' ? std::string("a tab") : "the control character " + hex_byte(ch));
        } else if (is_letter_or_digit(char(ch))) {
            letter = true;
        }
    }
    // What the note holds that the panel or the speech gets wrong, and what
    // each kind becomes.
    const std::pair<const std::vector<std::string> &, const char *> held[] = {
        {foreign, ", which the game's font cannot draw (the panel shows wrong signs instead) and "
                  "the speech program skips or garbles; use plain letters a to z, digits and "
                  "punctuation"},
        {latin1, " in Latin-1, which the panel draws as such but the speech program skips or "
                 "garbles; save the file as UTF-8 (see docs/languages.md)"},
        {control, ", which the panel shows as a sign of its own; use blanks"},
        {blank_control, ", which the panel shows as a blank; use a blank or remove it"},
        {boxed_control, ", which the panel shows as a box in a note with letters beyond ASCII; "
                        "use blanks"},
    };
    for (const auto &kind : held)
        if (!kind.first.empty())
            found.push_back(
                make(record, path, false, "the note holds " + joined(kind.first) + kind.second));
    if (!letter && foreign.empty() && blank_first)
        found.push_back(make(record, path, false,
                             "the note has no letter or digit: the speech program cannot say it "
                             "and squarevox fails on it; write a word"));
    return found;
}

std::vector<std::string> character_faults(const std::string &words, const std::string &subject,
                                          const std::string &drawer, const WideFont &font)
{
    if (!is_valid_utf8(words))
        return {};
    std::vector<std::string> missing, scripts, combining;
    for (char32_t ch : text_characters(words)) {
        if (ch < 0x80)
            continue;
        if (const char *script = unsupported_script(ch))
            add_once(scripts, script);
        else if (is_combining_mark(ch)) // drawn in a cell of its own, glyph or not
            add_once(combining, code_point_name(ch));
        else if (!panel_has_glyph(font, ch))
            add_once(missing, code_point_name(ch));
    }
    std::vector<std::string> found;
    if (!scripts.empty())
        found.push_back(subject + " is written in " + joined(scripts) + ", not supported yet: " +
                        drawer + " draws one cell a character from left to right and cannot "
                                 "show it right");
    if (!missing.empty())
        found.push_back(drawer + " has no glyph for " + joined(missing) +
                        (font.loaded ? std::string() : " (" + font.fault + ")") +
                        ": it shows a box instead; use another character");
    if (!combining.empty())
        found.push_back(subject + " holds the combining " +
                        std::string(combining.size() == 1 ? "mark " : "marks ") + joined(combining) +
                        ": write the accented letter itself: " + drawer +
                        " gives every character a cell of its own, a combining accent too");
    return found;
}

std::vector<Finding> note_character_findings(const VersionRecord &record, const std::string &path,
                                             const WideFont &font)
{
    std::vector<Finding> found;
    for (const std::string &what : character_faults(words_of(record.note), "the note", "the panel", font))
        found.push_back(make(record, path, false, what));
    return found;
}

std::vector<Finding> voice_wait_findings(const VersionRecord &record, double voice_ms,
                                         const std::string &path)
{
    int frames = std::min(slide_frames(0, record.start, record.end),
                          slide_frames(1, record.start, record.end));
    double slide_ms = double(frames) * SLIDE_FRAME_MS;
    if (voice_ms - slide_ms <= VOICE_WAIT_WARN_MS)
        return {};
    return {make(record, path, true,
                 "the voice of square " + std::to_string(record.start) + " lasts " +
                     seconds(voice_ms) + " and its slide " + seconds(slide_ms) +
                     ", so the game waits up to " + seconds(voice_ms - slide_ms) +
                     " after the slide before the next turn; shorten the note and run squarevox "
                     "again")};
}

Finding finding_from(const std::string &text, const std::string &path, bool warning)
{
    Finding finding{0, warning, text};
    std::string head = path + ":";
    if (text.compare(0, head.size(), head) == 0)
        finding.line = std::atoi(text.c_str() + head.size());
    return finding;
}
