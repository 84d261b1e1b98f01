// The platform seam on Windows: the process environment that SDL2.dll reads
// (through the system, not our C library's copy) and the C library's copy;
// files read as bytes.
#include "platform.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdlib>

void platform_set_default_env(const char *name, const char *value)
{
    if (GetEnvironmentVariableA(name, nullptr, 0) != 0)
        return;
    SetEnvironmentVariableA(name, value);
    _putenv_s(name, value);
}

int platform_open_read(const char *path)
{
    // Binary: text mode would turn CR LF into LF and stop at a Ctrl-Z byte.
    // Opening never waits here (no FIFOs); devices are refused by the caller.
    return _open(path, _O_RDONLY | _O_BINARY);
}

const char *platform_display_fault()
{
    return ""; // a Windows program always has its desktop
}
