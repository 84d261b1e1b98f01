// The entry of boardcheck: a board author's check of one version.
#include "paths.h"
#include "report.h"

#include <iostream>
#include <string>

constexpr const char *USAGE = "Usage: boardcheck <version>  (run in the folder that holds ./<version>/)";

int main(int argc, char **argv)
{
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << USAGE << "\n";
        return STATUS_CLEAN;
    }
    if (argc != 2) {
        std::cerr << USAGE << "\n";
        return STATUS_USAGE;
    }
    return boardcheck(version_name(argv[1]), std::cout, std::cerr);
}
