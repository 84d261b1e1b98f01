// The platform seam on POSIX systems, the desktop and the browser alike;
// the display is platform_desktop.cpp's or platform_web.cpp's.
#include "platform.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

void platform_set_default_env(const char *name, const char *value)
{
    setenv(name, value, 0);
}

int platform_open_read(const char *path)
{
    // Without O_NONBLOCK opening a FIFO waits for a writer, possibly forever.
    return open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
}

int platform_create_new(const char *path)
{
    // open applies the umask to 0666; O_EXCL with O_CREAT never follows a link.
    return open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
}

int platform_open_write(const char *path)
{
    int fd = open(path, O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    // Opened: from now on a full pipe is waited on rather than a failure.
    if (fd >= 0)
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool platform_flush(int fd)
{
    // A device or FIFO written in place cannot be flushed and need not be.
    return fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
}

bool platform_replace(const char *from, const char *to)
{
    return std::rename(from, to) == 0;
}

std::string platform_resolved_path(const std::string &path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

long platform_process_id()
{
    return long(getpid());
}
