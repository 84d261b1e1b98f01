// One record's square text file and square sound file, made through the shell.
#include "voice.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static bool is_regular_file(const std::string &path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A program's output counts as written only when it is there and not empty:
// festival leaves an empty temp.wav (and exits 0) when it cannot speak a text.
static bool file_written(const std::string &path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
}

static void report(int square, const std::string &what)
{
    std::fprintf(stderr, "squarevox: square %d: %s\n", square, what.c_str());
}

// Runs a command through the shell and waits for it. Returns an empty text
// when it ended with status 0, otherwise how it failed.
static std::string run_command(const std::string &command, bool &interrupted)
{
    std::fflush(nullptr); // our messages stay in order with the programs' own
    int status = std::system(command.c_str());
    if (status == -1)
        return std::string("could not be started: ") + std::strerror(errno);
    if (WIFSIGNALED(status)) {
        int sig = WTERMSIG(status);
        interrupted = sig == SIGINT || sig == SIGQUIT;
        return "was stopped by signal " + std::to_string(sig);
    }
    int code = WEXITSTATUS(status);
    if (code == 127)
        return "ended with status 127 (the shell did not find the program)";
    if (code != 0)
        return "ended with status " + std::to_string(code);
    return std::string();
}

// Whether a regular file is there and holds exactly `text`.
static bool file_holds(const std::string &path, const std::string &text)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        std::size_t(info.st_size) != text.size())
        return false;
    std::FILE *in = std::fopen(path.c_str(), "rb");
    if (in == nullptr)
        return false;
    std::string held(text.size(), '\0');
    bool read = std::fread(&held[0], 1, held.size(), in) == held.size();
    std::fclose(in);
    return read && held == text;
}

// Writes the note exactly as read, nothing added or removed.
static bool write_square_text(const std::string &path, const std::string &note)
{
    std::FILE *out = std::fopen(path.c_str(), "w");
    if (out == nullptr)
        return false;
    bool wrote = std::fwrite(note.data(), 1, note.size(), out) == note.size();
    return std::fclose(out) == 0 && wrote;
}

// Runs one of the two commands and checks that it left `output` behind.
static bool run_step(int square, const char *step, const std::string &command,
                     const std::string &output, bool &interrupted)
{
    std::string failure = run_command(command, interrupted);
    if (failure.empty() && file_written(output))
        return true;
    if (failure.empty())
        failure = "ended without writing " + output;
    report(square, std::string("the ") + step + " command " + failure + ": " + command);
    return false;
}

// (mended: see QUIRKS.md, 'shell quoting')
std::string shell_quote(const std::string &text)
{
    std::string quoted = "'";
    for (char ch : text) {
        if (ch == '\'')
            quoted += "'\\''";
        else
            quoted += ch;
    }
    return quoted + "'";
}

std::string find_speech_script(const std::string &usual_path, const std::string &name,
                               const std::string &search_path)
{
    if (is_regular_file(usual_path) && access(usual_path.c_str(), R_OK) == 0)
        return usual_path;
    std::size_t from = 0;
    for (;;) {
        std::size_t colon = search_path.find(':', from);
        std::string folder = search_path.substr(from, colon == std::string::npos ? std::string::npos
                                                                                   : colon - from);
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        if (is_regular_file(candidate) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string::npos)
            return usual_path;
        from = colon + 1;
    }
}

std::string speech_command(const std::string &script, const std::string &text_path)
{
    return "festival --script " + shell_quote(script) + " " + shell_quote(text_path) +
           " -o " + SPEECH_FILE;
}

std::string conversion_command(const std::string &text_path)
{
    return std::string("/usr/bin/sox -c1 -e signed-integer -b 16 ") + SPEECH_FILE +
           " -c2 -r 22050 " + shell_quote(text_path + ".wav");
}

bool make_square_voice(const std::string &version, const VersionRecord &record,
                       const std::string &script, bool &interrupted)
{
    std::string text_path = square_text_path(version, record.start);
    std::string sound_path = square_sound_path(version, record.start);
    bool same_note = file_holds(text_path, record.note);
    if (!write_square_text(text_path, record.note)) {
        report(record.start, "cannot create the square text file " + text_path + ": " +
                                 std::strerror(errno));
        return false;
    }
    // Neither the last record's speech nor an old sound of another note may
    // pass for this note's when a step fails; an old sound of this very note
    // stays until there is new speech to replace it (mended: see QUIRKS.md,
    // 'old voice kept').
    std::remove(SPEECH_FILE);
    if (!same_note)
        std::remove(sound_path.c_str());
    if (!run_step(record.start, "speech", speech_command(script, text_path), SPEECH_FILE,
                  interrupted))
        return false;
    std::remove(sound_path.c_str());
    return run_step(record.start, "conversion", conversion_command(text_path), sound_path,
                    interrupted);
}
