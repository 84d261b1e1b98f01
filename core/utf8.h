// UTF-8 text read as characters, and the scripts the panel cannot draw yet.
#pragma once

#include <string>
#include <vector>

// Bytes of the well-formed UTF-8 sequence that starts at byte `pos` of `text`
// (1 for an ASCII byte), or 0 when none starts there: a stray continuation
// byte, a truncated or overlong sequence, a surrogate or a value past U+10FFFF.
std::size_t utf8_sequence_length(const std::string &text, std::size_t pos);

// Whether `byte` continues a UTF-8 sequence (10xxxxxx) rather than starting
// a character.
bool is_utf8_continuation(char byte);

// Whether the whole text is well-formed UTF-8 (an empty or ASCII text is).
bool is_valid_utf8(const std::string &text);

// The characters of `text`: its code points when it is valid UTF-8, otherwise
// one per byte (the byte's value), as the 8-bit panel font reads it.
std::vector<char32_t> text_characters(const std::string &text);

// The panel's cells of `text`, each the bytes of one: its characters when it
// is valid UTF-8, its bytes otherwise (the two are the same for ASCII).
std::vector<std::string> text_cells(const std::string &text);

// The characters of `text` as the panel counts them: code points when it is
// valid UTF-8, bytes otherwise.
std::size_t character_count(const std::string &text);

// The name of the script of `ch` when the panel's one-cell-per-character
// drawing cannot show it right (written right to left, or needing shaping or
// reordering): "Hebrew", "Arabic", "Devanagari", ... ; nullptr otherwise.
const char *unsupported_script(char32_t ch);

// "U+00E9" style name of a code point.
std::string code_point_name(char32_t ch);

// "\x1B": a byte as the programs' messages show one they must not print raw.
std::string escaped_byte(unsigned char byte);

// `text` made safe to print on a terminal: its control characters (below
// 0x20, DEL, and U+0080 to U+009F written in UTF-8) and every byte that
// starts no well-formed UTF-8 sequence are shown as escaped_byte, so no note
// can move the cursor, retitle or clear the terminal or ring its bell; every
// other character, letters beyond ASCII included, is kept. A backslash is
// kept as it is.
std::string terminal_text(const std::string &text);

// The byte order mark that Windows editors put at the start of a UTF-8 file.
constexpr const char *UTF8_BOM = "\xEF\xBB\xBF";

// Whether `text` starts with a UTF-16 byte order mark (FF FE or FE FF): a
// file saved as UTF-16, which the readers take only as UTF-8.
bool starts_as_utf16(const std::string &text);
// What a reader says of such a file: "the file is saved as UTF-16 (it starts
// with the bytes \xFF\xFE), which the programs do not read: save it as UTF-8".
std::string utf16_problem(const std::string &text);
