// Reading files defensively: regular files only, opened without blocking,
// read with a bound; writing them whole, through exclusive temporaries.
#include "guards.h"

#include "platform.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

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

std::string folder_of(const std::string &path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Writes all of `bytes` to `fd` and flushes them; the errno of the first
// failure, 0 when all went.
int write_all(int fd, const std::string &bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            return errno;
        if (wrote == 0)
            return ENOSPC;
        done += std::size_t(wrote);
    }
    return platform_flush(fd) ? 0 : errno;
}

} // namespace

std::string name_of(const std::string &path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

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

std::string temporary_head(const std::string &stem)
{
    return "." + stem + ".new-";
}

int create_temporary(const std::string &path, const std::string &stem, const std::string &suffix,
                     std::string &temporary)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::random_device source;
    std::string head =
        folder_of(path) + "/" + temporary_head(stem) + std::to_string(platform_process_id()) + "-";
    for (int attempt = 0; attempt < 100; attempt++) {
        std::string name = head;
        for (int i = 0; i < 6; i++)
            name += letters[source() % (sizeof letters - 1)];
        name += suffix;
        int fd = platform_create_new(name.c_str());
        if (fd >= 0) {
            temporary = name;
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

std::string write_temporary(const std::string &path, const std::string &bytes,
                            std::string &temporary)
{
    int fd = create_temporary(path, name_of(path), "", temporary);
    if (fd < 0)
        return std::strerror(errno);
    int why = write_all(fd, bytes);
    if (close(fd) != 0 && why == 0)
        why = errno;
    if (why != 0) {
        std::remove(temporary.c_str());
        return std::strerror(why);
    }
    return std::string();
}

std::string write_file_replacing(const std::string &path, const std::string &bytes)
{
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return kind_fault(info);
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        int fd = platform_open_write(path.c_str());
        if (fd < 0)
            return open_fault(errno);
        int why = write_all(fd, bytes);
        if (close(fd) != 0 && why == 0)
            why = errno;
        return why == 0 ? std::string() : std::strerror(why);
    }
    std::string target = platform_resolved_path(path);
    std::string temporary;
    std::string fault = write_temporary(target, bytes, temporary);
    if (!fault.empty())
        return "cannot write a new file beside it: " + fault;
    if (!platform_replace(temporary.c_str(), target.c_str())) {
        fault = std::strerror(errno);
        std::remove(temporary.c_str());
        return "cannot put the new file in place: " + fault;
    }
    return std::string();
}
