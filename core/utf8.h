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

// The characters of `text` as the panel counts them: code points when it is
// valid UTF-8, bytes otherwise.
std::size_t character_count(const std::string &text);

// The name of the script of `ch` when the panel's one-cell-per-character
// drawing cannot show it right (written right to left, or needing shaping or
// reordering): "Hebrew", "Arabic", "Devanagari", ... ; nullptr otherwise.
const char *unsupported_script(char32_t ch);

// "U+00E9" style name of a code point.
std::string code_point_name(char32_t ch);
