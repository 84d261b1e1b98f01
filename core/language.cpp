// The language of a version.
#include "language.h"

#include <fstream>

std::string version_language(const std::string &version)
{
    std::ifstream in("./" + version + "/language");
    std::string line;
    if (!std::getline(in, line))
        return "en";
    std::size_t end = line.find_last_not_of(" \t\r");
    return end == std::string::npos ? "en" : line.substr(0, end + 1);
}
