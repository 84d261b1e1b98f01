// Commands through the shell with a time limit and a prompt end on interrupt;
// the lock of the working folder.
#include "run.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

volatile std::sig_atomic_t caught_signal = 0;

void on_interrupt(int sig)
{
    caught_signal = sig;
}

constexpr int POLL_MS = 10;
constexpr int KILL_GRACE_MS = 1000;

void sleep_ms(int ms)
{
    struct timespec pause = {ms / 1000, long(ms % 1000) * 1000000L};
    nanosleep(&pause, nullptr);
}

// Reads whatever the pipe holds now, without waiting.
void drain(int fd, std::string &into)
{
    char buffer[4096];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return;
        into.append(buffer, std::size_t(got));
    }
}

// Ends the command's process group and collects the shell's status.
int end_group(pid_t child)
{
    kill(-child, SIGTERM);
    int status = 0;
    for (int waited = 0; waited < KILL_GRACE_MS; waited += POLL_MS) {
        if (waitpid(child, &status, WNOHANG) == child)
            return status;
        sleep_ms(POLL_MS);
    }
    kill(-child, SIGKILL);
    waitpid(child, &status, 0);
    return status;
}

std::string describe(int status)
{
    if (WIFSIGNALED(status))
        return "was stopped by signal " + std::to_string(WTERMSIG(status));
    int code = WEXITSTATUS(status);
    if (code == 127)
        return "ended with status 127 (the shell did not find the program)";
    return "ended with status " + std::to_string(code);
}

} // namespace

void catch_interrupts()
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = on_interrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        sigaction(sig, &action, nullptr);
}

int interrupt_signal()
{
    return caught_signal;
}

std::string fd_path(int fd)
{
    return "/dev/fd/" + std::to_string(fd);
}

CommandResult run_command(const std::string &command, int time_limit_ms, bool capture_stderr,
                          int pass_fd)
{
    CommandResult result;
    if (caught_signal != 0) {
        result.interrupted = true;
        result.failure = "was not started: the run was interrupted";
        return result;
    }
    int err_pipe[2] = {-1, -1};
    if (capture_stderr && pipe2(err_pipe, O_CLOEXEC) != 0) {
        result.failure = std::string("could not be started: ") + std::strerror(errno);
        return result;
    }
    std::fflush(nullptr); // our messages stay in order with the programs' own
    pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        signal(SIGINT, SIG_DFL);
        signal(SIGTERM, SIG_DFL);
        signal(SIGHUP, SIG_DFL);
        signal(SIGXFSZ, SIG_DFL);
        int none = open("/dev/null", O_RDONLY);
        if (none >= 0)
            dup2(none, 0);
        if (capture_stderr)
            dup2(err_pipe[1], 2);
        if (pass_fd >= 0)
            fcntl(pass_fd, F_SETFD, 0); // kept open across exec
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    if (capture_stderr)
        close(err_pipe[1]);
    if (child < 0) {
        result.failure = std::string("could not be started: ") + std::strerror(errno);
        if (capture_stderr)
            close(err_pipe[0]);
        return result;
    }
    setpgid(child, child); // also here, so the group exists before any kill
    if (capture_stderr)
        fcntl(err_pipe[0], F_SETFL, O_NONBLOCK);
    int status = 0;
    // Short commands are noticed at once: the pause grows from 1 ms to POLL_MS.
    for (int waited = 0, pause = 1;; waited += pause, pause = std::min(pause * 2, POLL_MS)) {
        if (capture_stderr)
            drain(err_pipe[0], result.output);
        pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (caught_signal != 0) {
            end_group(child);
            result.interrupted = true;
            result.failure = "was ended: the run was interrupted";
            break;
        }
        if (waited >= time_limit_ms) {
            end_group(child);
            char limit[32];
            std::snprintf(limit, sizeof limit, "%g", time_limit_ms / 1000.0);
            result.failure = std::string("did not end within ") + limit + " s and was stopped";
            break;
        }
        sleep_ms(pause);
    }
    if (capture_stderr) {
        drain(err_pipe[0], result.output);
        close(err_pipe[0]);
    }
    if (!result.failure.empty())
        return result;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        result.ok = true;
        return result;
    }
    // A command stopped by the user's interrupt from the terminal ends the run.
    if (WIFSIGNALED(status) && (WTERMSIG(status) == SIGINT || WTERMSIG(status) == SIGQUIT))
        result.interrupted = true;
    result.failure = describe(status);
    return result;
}

std::string lock_working_folder(const std::string &path)
{
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return std::strerror(errno);
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return "it is not a regular file";
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int why = errno;
        close(fd);
        return why == EWOULDBLOCK ? "busy" : std::strerror(why);
    }
    return std::string(); // the descriptor stays open, and the lock held, until the end
}
