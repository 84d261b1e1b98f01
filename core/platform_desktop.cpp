// The platform seam's display on a POSIX desktop: an X11 or Wayland server.
#include "platform.h"

#include <stdlib.h>

static bool set(const char *name)
{
    const char *value = getenv(name);
    return value != nullptr && value[0] != '\0';
}

const char *platform_display_fault()
{
    if (set("DISPLAY") || set("WAYLAND_DISPLAY"))
        return "";
    return "neither DISPLAY nor WAYLAND_DISPLAY is set";
}

void platform_announce(const std::string &)
{
    // A desktop's screen reader reads the window's title and the game's speech.
}
