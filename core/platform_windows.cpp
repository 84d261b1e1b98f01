// The platform seam on Windows: the process environment that SDL2.dll reads
// (through the system, not our C library's copy) and the C library's copy.
#include "platform.h"

#include <windows.h>

#include <cstdlib>

void platform_set_default_env(const char *name, const char *value)
{
    if (GetEnvironmentVariableA(name, nullptr, 0) != 0)
        return;
    SetEnvironmentVariableA(name, value);
    _putenv_s(name, value);
}
