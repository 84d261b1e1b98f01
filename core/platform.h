// The one seam between the programs and their platform: what POSIX, Windows
// and a web browser do differently is behind these calls (platform_posix.cpp
// with platform_desktop.cpp or platform_web.cpp, platform_windows.cpp), so no
// module needs a platform test of its own.
#pragma once

#include <string>

// Sets the environment variable `name` to `value` unless it is set already,
// so that a choice the user made in the environment stands.
void platform_set_default_env(const char *name, const char *value);

// Opens `path` for reading bytes without waiting on it: a FIFO without a
// writer or a device opens at once instead of blocking. Returns a file
// descriptor for read/fstat/close, or -1 with errno set.
int platform_open_read(const char *path);

// Why the environment names no display to open a window on ("neither DISPLAY
// nor WAYLAND_DISPLAY is set"), or an empty text when it names one. Windows
// always has its desktop and a browser its page: there it is always empty.
const char *platform_display_fault();

// Hands a text that the window shows (the turn's prompt) to what reads the
// screen aloud where the platform has no way to read the window: in a web
// browser, the page's live region. On a desktop it does nothing.
void platform_announce(const std::string &text);

// Creates the file `path` for writing bytes, exclusively: it fails with
// EEXIST when anything, a symbolic link included, is there already, so no
// link is ever followed. The new file gets the permissions the umask allows.
// Returns a file descriptor for write/close, or -1 with errno set.
int platform_create_new(const char *path);

// Opens the existing `path` for writing bytes in place, without truncating
// it and without waiting (a FIFO without a reader fails at once). Returns a
// file descriptor, or -1 with errno set.
int platform_open_write(const char *path);

// Flushes what was written to `fd` to the disk; false with errno set.
bool platform_flush(int fd);

// Renames `from` to `to`, replacing a file at `to` in one step; false with
// errno set.
bool platform_replace(const char *from, const char *to);

// `path` with every symbolic link in it resolved, when it names an existing
// file; otherwise, and on Windows, `path` itself.
std::string platform_resolved_path(const std::string &path);

// The ID of this process, which names the files it leaves while it works so
// that a later run can tell a dead run's files from a live one's.
long platform_process_id();
