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

std::string version_folder_hint()
{
    std::error_code error;
    std::filesystem::path here = std::filesystem::current_path(error);
    std::string folder = error ? std::string("the working folder") : here.string();
    return "Looked in " + folder +
           ". Versions are in the data/ folder of a checkout (cd data first); with the "
           "installed package they are in ~/.local/share/varnowick/, where its launchers "
           "(such as varnowick-boardcheck) start.";
}
