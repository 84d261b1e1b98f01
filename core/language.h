// The language of a version: the tag in its optional file ./<version>/language.
#pragma once

#include <string>

constexpr std::size_t LANGUAGE_TAG_MAX = 16;      // "pt-BR", "sr-Latn-RS" fit
constexpr std::size_t LANGUAGE_FILE_MAX_BYTES = 256;
constexpr const char *DEFAULT_LANGUAGE = "en";

// What the language file says.
struct LanguageRead {
    bool given = false; // the file exists
    std::string tag;    // the valid tag, DEFAULT_LANGUAGE when not given; empty on a fault
    std::string fault;  // why the file cannot be used, naming it; empty when usable
};

// Reads the file: one line holding a tag of letters, digits and '-' (starting
// with a letter, no empty part, at most LANGUAGE_TAG_MAX characters), blanks
// and a CR or LF around it ignored. A missing file is English.
LanguageRead read_version_language(const std::string &version);

// The version's language tag: DEFAULT_LANGUAGE when it has no language file,
// an empty text when the file is there but unusable (read_version_language
// says why).
std::string version_language(const std::string &version);

// The tag's first part in lower case, which names its language: "pt" for
// "pt-BR", "fr" for "FR".
std::string primary_language(const std::string &tag);

// Why `tag` is not a usable language tag, empty when it is.
std::string language_tag_fault(const std::string &tag);
