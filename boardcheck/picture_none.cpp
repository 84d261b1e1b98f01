// The board picture in a build without a PNG library.
#include "picture.h"

int write_board_picture(const std::string &, const std::string &, std::ostream &err)
{
    err << "boardcheck: --picture is not available in this build (it has no PNG library)\n";
    return 2;
}
