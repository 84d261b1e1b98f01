// The platform seam on Windows: the process environment that SDL2.dll reads
// (through the system, not our C library's copy) and the C library's copy;
// files read as bytes.
#include "platform.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>

#include <cerrno>

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

void platform_announce(const std::string &)
{
}

int platform_create_new(const char *path)
{
    // _O_EXCL fails on anything already there; the folder's rights apply.
    return _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}

int platform_open_write(const char *path)
{
    return _open(path, _O_WRONLY | _O_BINARY);
}

bool platform_flush(int fd)
{
    return _commit(fd) == 0 || errno == EBADF;
}

bool platform_replace(const char *from, const char *to)
{
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return false;
}

std::string platform_resolved_path(const std::string &path)
{
    return path; // symbolic links are rare there
}

long platform_process_id()
{
    return long(_getpid());
}
