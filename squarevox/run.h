// Running the speech and conversion commands: through the shell, with a time
// limit, ended at once by the user's interrupt; and the working folder's lock.
#pragma once

#include <string>

// How long one command may run before it is ended and reported.
constexpr int COMMAND_TIME_LIMIT_MS = 60000;

// Makes SIGINT, SIGTERM and SIGHUP only set a flag that interrupt_signal()
// returns, so that a run can remove its temporary files before it ends.
void catch_interrupts();

// The signal that asked the run to end, or 0.
int interrupt_signal();

struct CommandResult {
    bool ok = false;          // ended by itself with status 0
    bool interrupted = false; // the run was asked to end while it ran
    std::string failure;      // how it failed, when !ok: "ended with status 2", ...
    std::string output;       // its standard error, when asked to capture it
};

// Runs `command` through /bin/sh in the working folder with standard input
// from /dev/null and waits for it. Standard output and, unless
// `capture_stderr`, standard error are the tool's own. The command runs in a
// process group of its own: when it outlasts `time_limit_ms`, or the run is
// interrupted, the whole group is ended (SIGTERM, then SIGKILL a second
// later) and the failure or interruption returned.
// `pass_fd`, when not -1, is left open in the command as /dev/fd/<pass_fd>
// (fd_path), the one descriptor of the tool it gets.
CommandResult run_command(const std::string &command, int time_limit_ms, bool capture_stderr,
                          int pass_fd = -1);

// "/dev/fd/N": how a command names the open file `fd` that run_command
// passes it.
std::string fd_path(int fd);

// Takes the lock `path` for the rest of the process (an exclusive flock on a
// regular file, made if missing, never followed through a symbolic link).
// Returns an empty text on success, otherwise why not; "busy" when another
// process holds it.
std::string lock_working_folder(const std::string &path);
