// Finding the boards and their titles.
#include "boards.h"

#include "guards.h"
#include "paths.h"
#include "utf8.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::vector<std::string> find_versions(const std::string &folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.' || !it->is_directory(error))
            continue;
        if (regular_file_fault(folder + "/" + name + "/" + name + ".config").empty())
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string version_title_path(const std::string &version)
{
    return "./" + version + "/title";
}

namespace {

// The title, or the version's name with `fault` saying why.
std::string title_or_name(const std::string &version, std::string &fault)
{
    FileRead file = read_regular_file(version_title_path(version), TITLE_FILE_MAX_BYTES);
    if (file.missing)
        return version;
    if (!file.ok) {
        fault = file.fault;
        return version;
    }
    if (starts_as_utf16(file.bytes)) {
        fault = "it is saved as UTF-16, not UTF-8";
        return version;
    }
    // A Windows editor's byte order mark is no part of the title (mended:
    // see QUIRKS.md, 'byte order mark').
    std::size_t from = file.bytes.compare(0, 3, UTF8_BOM) == 0 ? 3 : 0;
    std::string line = file.bytes.substr(from, file.bytes.find('\n') - from);
    std::size_t start = line.find_first_not_of(" \t\r");
    std::size_t end = line.find_last_not_of(" \t\r");
    if (start == std::string::npos) {
        fault = "its first line is empty";
        return version;
    }
    line = line.substr(start, end - start + 1);
    if (!is_valid_utf8(line)) {
        fault = "its first line is not UTF-8";
        return version;
    }
    std::vector<char32_t> characters = text_characters(line);
    for (char32_t ch : characters)
        if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0)) {
            fault = "its first line holds the control character " + code_point_name(ch);
            return version;
        }
    if (characters.size() > TITLE_MAX_CHARACTERS) {
        fault = "its first line has " + std::to_string(characters.size()) + " characters, more than " +
                std::to_string(TITLE_MAX_CHARACTERS);
        return version;
    }
    return line;
}

} // namespace

std::string version_title(const std::string &version, std::string &fault)
{
    fault.clear();
    std::string title = title_or_name(version, fault);
    if (!fault.empty())
        fault = version_title_path(version) + ": " + fault + "; the menu shows the folder's name";
    return title;
}
