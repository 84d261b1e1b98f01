// The boards a menu offers: every version folder in the working folder, and
// the name each is shown by.
#pragma once

#include <string>
#include <vector>

constexpr std::size_t TITLE_FILE_MAX_BYTES = 256;
constexpr std::size_t TITLE_MAX_CHARACTERS = 40;

// The versions in `folder`: every folder in it that holds its own
// "<name>/<name>.config" as a regular file, by name in byte order. Hidden
// folders (a leading dot) are left out. Unreadable: none.
std::vector<std::string> find_versions(const std::string &folder);

// "./<version>/title".
std::string version_title_path(const std::string &version);

// What the menu calls a version: the first line of its optional title file,
// a byte order mark before it and blanks and a CR or LF around it trimmed,
// when that is valid UTF-8 without control characters, at most
// TITLE_MAX_CHARACTERS characters; otherwise the version's name, and `fault`
// says what is wrong with the file ("./v/title: its first line is empty; the
// menu shows the folder's name"). `fault` is empty when the title is used or
// there is no title file.
std::string version_title(const std::string &version, std::string &fault);
