// The one seam for what differs between the platforms the programs run on.
#pragma once

// Sets the environment variable NAME to VALUE for this process and the
// libraries it loads, unless NAME is already set (a value the user chose
// wins). NAME and VALUE are non-empty strings without '='.
void platform_set_default_env(const char *name, const char *value);
