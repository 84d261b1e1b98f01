// The platform seam on POSIX systems.
#include "platform.h"

#include <fcntl.h>
#include <stdlib.h>

void platform_set_default_env(const char *name, const char *value)
{
    setenv(name, value, 0);
}

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

int platform_open_read(const char *path)
{
    // Without O_NONBLOCK opening a FIFO waits for a writer, possibly forever.
    return open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
}
