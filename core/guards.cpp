// Reading files defensively: regular files only, opened without blocking,
// read with a bound.
#include "guards.h"

#include "platform.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string kind_fault(const struct stat &info)
{
    if (S_ISREG(info.st_mode))
        return std::string();
    if (S_ISDIR(info.st_mode))
        return "it is a folder, not a file";
    if (S_ISFIFO(info.st_mode))
        return "it is a FIFO (named pipe), not a file";
    if (S_ISCHR(info.st_mode))
        return "it is a device, not a file";
    return "it is not a regular file";
}

std::string open_fault(int error)
{
    if (error == ENOENT || error == ENOTDIR)
        return "missing";
    return std::string("cannot be opened: ") + std::strerror(error);
}

FileRead refused(const std::string &why)
{
    FileRead result;
    result.missing = why == "missing";
    result.fault = why;
    return result;
}

std::string too_large(std::size_t max_bytes)
{
    return "it is larger than " + std::to_string(max_bytes) + " bytes";
}

} // namespace

std::string regular_file_fault(const std::string &path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return open_fault(errno);
    return kind_fault(info);
}

FileRead read_regular_file(const std::string &path, std::size_t max_bytes)
{
    int fd = platform_open_read(path.c_str());
    if (fd < 0)
        return refused(open_fault(errno));
    // The descriptor itself is looked at, so what was opened is what is read.
    struct stat info;
    std::string why = fstat(fd, &info) != 0 ? open_fault(errno) : kind_fault(info);
    if (why.empty() && std::size_t(info.st_size) > max_bytes)
        why = too_large(max_bytes);
    FileRead result;
    char block[65536];
    while (why.empty()) {
        ssize_t got = read(fd, block, sizeof block);
        if (got == 0)
            break;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            why = std::string("cannot be read: ") + std::strerror(errno);
        else if (result.bytes.size() + std::size_t(got) > max_bytes)
            why = too_large(max_bytes);
        else
            result.bytes.append(block, std::size_t(got));
    }
    close(fd);
    if (!why.empty())
        return refused(why);
    result.ok = true;
    return result;
}
