// Paths of the version's files.
#include "paths.h"

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
