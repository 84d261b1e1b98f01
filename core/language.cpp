// Reading and checking a version's language file.
#include "language.h"

#include "guards.h"
#include "paths.h"
#include "utf8.h"

#include <cctype>

std::string primary_language(const std::string &tag)
{
    std::string primary;
    for (char ch : tag.substr(0, tag.find('-')))
        primary += char(std::tolower(static_cast<unsigned char>(ch)));
    return primary;
}

// The tag as a message shows it, in quotes: a byte that is not a printable
// ASCII character as \xNN, so no control byte reaches the terminal, and a
// long one cut short.
static std::string quoted(const std::string &tag)
{
    constexpr std::size_t SHOWN = 20;
    std::string shown = "\"";
    for (std::size_t i = 0; i < tag.size() && i < SHOWN; i++) {
        unsigned char ch = static_cast<unsigned char>(tag[i]);
        if (ch >= 0x20 && ch < 0x7F && ch != '"' && ch != '\\') {
            shown += char(ch);
        } else {
            shown += escaped_byte(ch);
        }
    }
    return shown + (tag.size() > SHOWN ? "...\"" : "\"");
}

std::string language_tag_fault(const std::string &tag)
{
    if (tag.empty())
        return "it holds no language tag";
    if (tag.find_first_of("\r\n") != std::string::npos)
        return "it holds more than one line";
    if (tag.size() > LANGUAGE_TAG_MAX)
        return "the tag " + quoted(tag) + " is longer than " + std::to_string(LANGUAGE_TAG_MAX) +
               " characters";
    bool part_start = true;
    for (std::size_t i = 0; i < tag.size(); i++) {
        unsigned char ch = static_cast<unsigned char>(tag[i]);
        bool letter = ch < 0x80 && std::isalpha(ch);
        bool digit = ch >= '0' && ch <= '9';
        if (ch == '-' && !part_start) {
            part_start = true;
            continue;
        }
        if (!letter && !digit)
            return "the tag " + quoted(tag) + " may hold only letters a to z, digits and '-' between them";
        if (i == 0 && !letter)
            return "the tag " + quoted(tag) + " must start with a letter";
        part_start = false;
    }
    if (part_start)
        return "the tag " + quoted(tag) + " ends with '-'";
    return std::string();
}

LanguageRead read_version_language(const std::string &version)
{
    LanguageRead read;
    std::string path = version_language_path(version);
    FileRead file = read_regular_file(path, LANGUAGE_FILE_MAX_BYTES);
    if (file.missing) {
        read.tag = DEFAULT_LANGUAGE;
        return read;
    }
    read.given = true;
    if (!file.ok) {
        read.fault = path + ": " + file.fault;
        return read;
    }
    if (starts_as_utf16(file.bytes)) {
        read.fault = path + ": it is saved as UTF-16; save it as UTF-8 (see docs/languages.md)";
        return read;
    }
    // A byte order mark, as Windows editors write one, is no part of the tag
    // (mended: see QUIRKS.md, 'byte order mark').
    std::size_t from = file.bytes.compare(0, 3, UTF8_BOM) == 0 ? 3 : 0;
    const std::string blanks = " \t\r\n";
    std::size_t first = file.bytes.find_first_not_of(blanks, from);
    std::size_t last = file.bytes.find_last_not_of(blanks);
    std::string tag = first == std::string::npos ? std::string()
                                                 : file.bytes.substr(first, last - first + 1);
    std::string fault = language_tag_fault(tag);
    if (!fault.empty()) {
        read.fault = path + ": " + fault + " (write one tag such as fr, de or pt-BR)";
        return read;
    }
    read.tag = tag;
    return read;
}

std::string version_language(const std::string &version)
{
    return read_version_language(version).tag;
}
