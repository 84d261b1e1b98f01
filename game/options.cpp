// The game's command-line options.
#include "options.h"

#include <string>

Options options;

int parse_options(int argc, char **argv)
{
    int at = 1;
    for (; at < argc; at++) {
        std::string arg = argv[at];
        if (arg == "--speak")
            options.speak = true;
        else if (arg == "--")
            return at + 1;
        else
            break;
    }
    return at;
}
