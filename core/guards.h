// File guards: every file the programs read goes through here first, so that
// a FIFO, a folder, a device or an endless file is refused with a reason
// instead of blocking or exhausting memory (mended: see QUIRKS.md, 'bounded
// reads'); and every file they write, so that an old file is replaced only by
// a whole new one (mended: see QUIRKS.md, 'whole files only').
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

// The last part of `path`, the file's own name: "square04" for
// "./v/square04".
std::string name_of(const std::string &path);

// Creates a new empty file beside `path`, named
// ".<stem>.new-PID-XXXXXX<suffix>", PID being this process's and XXXXXX six
// random letters and digits, exclusively: never through a link or file
// already at that name (another name is tried then). It gets the
// permissions the umask allows. Returns its open descriptor and sets
// `temporary` to its path, or -1 with errno set. The PID tells a later run
// whether the temporary's maker still runs.
int create_temporary(const std::string &path, const std::string &stem, const std::string &suffix,
                     std::string &temporary);

// ".<stem>.new-": how the names of create_temporary's files of `stem` begin,
// before the PID.
std::string temporary_head(const std::string &stem);

// Writes `bytes` to a new temporary beside `path` (see create_temporary, the
// stem being the name of `path`), flushed to the disk. Returns the fault in
// words, empty on success; on failure the temporary is gone.
std::string write_temporary(const std::string &path, const std::string &bytes,
                            std::string &temporary);

// Puts `bytes` at `path`. Nothing or a regular file there: a temporary is
// written whole beside the file the path leads to (links resolved) and only
// then renamed over it. A device or FIFO there (/dev/null, /dev/stdout in a
// pipe) is written in place and never replaced; a folder is refused. Returns
// the fault in words ("No space left on device", "it is a folder, not a
// file"), empty on success; on failure an old regular file is as it was and
// no temporary stays.
std::string write_file_replacing(const std::string &path, const std::string &bytes);
