// The platform seam's display in a web browser: the page's canvas is always
// there, and the page's live region is what a screen reader reads.
#include "platform.h"

#include <emscripten.h>

const char *platform_display_fault()
{
    return "";
}

void platform_announce(const std::string &text)
{
    // The page defines Module.announce; without it (a bare run) nothing is said.
    EM_ASM({
        if (Module['announce']) Module['announce'](UTF8ToString($0));
    }, text.c_str());
}
