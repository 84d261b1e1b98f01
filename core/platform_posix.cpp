// The platform seam on POSIX systems: the C library's environment.
#include "platform.h"

#include <cstdlib>

void platform_set_default_env(const char *name, const char *value)
{
    setenv(name, value, 0);
}
