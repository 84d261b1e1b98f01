// Paths of the version's files.
#include "paths.h"

#include "guards.h"

#include <dirent.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

std::string version_name(const std::string &arg)
{
    std::size_t end = arg.find_last_not_of('/');
    return end == std::string::npos ? arg : arg.substr(0, end + 1);
}

std::string version_config_path(const std::string &version)
{
    return "./" + version + "/" + version + ".config";
}

std::string version_folder(const std::string &version)
{
    return "./" + version;
}

std::string version_language_path(const std::string &version)
{
    return "./" + version + "/language";
}

std::string version_clips_folder(const std::string &version)
{
    return "./" + version + "/say";
}

std::string shipped_clips_folder(const std::string &language)
{
    return std::string(SHIPPED_CLIPS) + "/" + language;
}

std::string working_folder_hint(const std::string &what)
{
    std::error_code error;
    std::string here = std::filesystem::current_path(error).string();
    if (error)
        here = "the working folder";
    return "looked in " + here + " for " + what +
           "; run from the folder that holds the version folders: data/ in the project's "
           "folder, ~/.local/share/varnowick/ for the installed game";
}

std::string version_folder_hint(const std::string &version)
{
    return working_folder_hint("the folder " + version_name(version) + "/");
}

std::string square_text_path(const std::string &version, int square)
{
    std::string number = std::to_string(square);
    if (number.size() < 2)
        number = "0" + number;
    return "./" + version + "/square" + number;
}

std::string square_sound_path(const std::string &version, int square)
{
    return square_text_path(version, square) + ".wav";
}

static std::string kept_text_head(int square)
{
    return "." + name_of(square_text_path("", square)) + ".old-";
}

std::string square_kept_text_path(const std::string &version, int square, long pid)
{
    return "./" + version + "/" + kept_text_head(square) + std::to_string(pid);
}

std::vector<RunFile> run_files(const std::string &folder, const std::string &head, bool then_more)
{
    std::vector<RunFile> found;
    DIR *listing = opendir(folder.c_str());
    if (listing == nullptr)
        return found;
    while (const struct dirent *entry = readdir(listing)) {
        std::string name = entry->d_name;
        if (name.compare(0, head.size(), head) != 0 || name.size() == head.size() ||
            !std::isdigit(static_cast<unsigned char>(name[head.size()])))
            continue;
        char *end = nullptr;
        long pid = std::strtol(name.c_str() + head.size(), &end, 10);
        bool ends = then_more ? *end == '-' && end[1] != '\0' : *end == '\0';
        if (ends && pid > 0)
            found.push_back(RunFile{folder + "/" + name, pid});
    }
    closedir(listing);
    return found;
}

std::vector<RunFile> square_kept_texts(const std::string &version, int square)
{
    return run_files("./" + version, kept_text_head(square), false);
}

std::vector<RunFile> square_temporaries(const std::string &version, int square)
{
    return run_files("./" + version, temporary_head(name_of(square_text_path("", square))), true);
}
