// File guards: every file the programs read goes through here first, so that
// a FIFO, a folder, a device or an endless file is refused with a reason
// instead of blocking or exhausting memory (mended: see QUIRKS.md, 'bounded reads').
#pragma once

#include <cstddef>
#include <string>

constexpr std::size_t VERSION_FILE_MAX_BYTES = 1 << 20; // far beyond any board
constexpr std::size_t SOUND_FILE_MAX_BYTES = 64u << 20;  // minutes of CD-quality sound

// The whole content of a file, or why it could not be had.
struct FileRead {
    bool ok = false;      // bytes holds the whole file
    bool missing = false; // nothing exists at the path (fault is "missing")
    std::string bytes;
    std::string fault;    // why not ok, in words for the user: "missing",
                          // "it is a folder, not a file", "it is larger than
                          // 1048576 bytes", ...; empty when ok
};

// Reads the file at `path` whole, opened without blocking and only when it
// is a regular file (a symbolic link counts as what it points to) of at most
// max_bytes. Never blocks on a FIFO or device and never reads past max_bytes,
// even from a file that grows while it is read.
FileRead read_regular_file(const std::string &path, std::size_t max_bytes);

// Why `path` is not a regular file ("missing", "it is a folder, not a
// file", ...), or an empty text when it is one. Looks without opening.
std::string regular_file_fault(const std::string &path);
