// The one seam between the programs and their platform: what POSIX and
// Windows do differently is behind these calls (platform_posix.cpp,
// platform_windows.cpp), so no module needs a platform test of its own.
#pragma once

// Sets the environment variable `name` to `value` unless it is set already,
// so that a choice the user made in the environment stands.
void platform_set_default_env(const char *name, const char *value);

// Opens `path` for reading bytes without waiting on it: a FIFO without a
// writer or a device opens at once instead of blocking. Returns a file
// descriptor for read/fstat/close, or -1 with errno set.
int platform_open_read(const char *path);

// Why the environment names no display to open a window on ("neither DISPLAY
// nor WAYLAND_DISPLAY is set"), or an empty text when it names one. Windows
// always has its desktop: there it is always empty.
const char *platform_display_fault();
