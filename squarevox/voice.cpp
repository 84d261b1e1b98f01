// One record's square text file and square sound file, made through the shell
// and each put in place only once it is whole.
#include "voice.h"

#include "run.h"
#include "wavguard.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool is_regular_file(const std::string &path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void report(int square, const std::string &what)
{
    std::fprintf(stderr, "squarevox: square %d: %s\n", square, what.c_str());
}

// Why a square file may not be replaced: empty when it is absent or a regular
// file. Symbolic links are not followed.
std::string leaf_fault(const std::string &path)
{
    struct stat info;
    if (lstat(path.c_str(), &info) != 0)
        return errno == ENOENT ? std::string() : path + ": " + std::strerror(errno);
    if (S_ISLNK(info.st_mode))
        return path + " is a symbolic link; left alone";
    if (!S_ISREG(info.st_mode))
        return path + " is not a regular file; left alone";
    return std::string();
}

bool exists(const std::string &path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// Whether a regular file is there and holds exactly `text`.
bool file_holds(const std::string &path, const std::string &text)
{
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
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

std::string folder_of(const std::string &path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string name_of(const std::string &path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a new empty file beside `path`, named ".<name>.new-XXXXXX<suffix>",
// readable as the user's umask allows, and returns its open descriptor;
// -1 with errno set when it cannot.
int create_temporary(const std::string &path, const std::string &stem, const std::string &suffix,
                     std::string &temporary)
{
    std::string pattern = folder_of(path) + "/." + stem + ".new-XXXXXX" + suffix;
    int fd = mkstemps(&pattern[0], int(suffix.size()));
    if (fd < 0)
        return -1;
    temporary = pattern;
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    return fd;
}

// Writes `bytes` to a temporary file beside `path`, flushed to the disk.
// Returns the fault, empty on success; the temporary is gone on failure.
std::string write_temporary(const std::string &path, const std::string &bytes,
                            std::string &temporary)
{
    int fd = create_temporary(path, name_of(path), "", temporary);
    if (fd < 0)
        return std::strerror(errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            break;
        done += std::size_t(wrote);
    }
    int why = done == bytes.size() ? 0 : (errno != 0 ? errno : ENOSPC);
    if (why == 0 && fsync(fd) != 0)
        why = errno;
    if (close(fd) != 0 && why == 0)
        why = errno;
    if (why != 0) {
        unlink(temporary.c_str());
        return std::strerror(why);
    }
    return std::string();
}

// Flushes a finished file to the disk before it is renamed into place.
bool flush_file(const std::string &path)
{
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW);
    if (fd < 0)
        return false;
    bool flushed = fsync(fd) == 0;
    return close(fd) == 0 && flushed;
}

// The square text file through a temporary name. The speech command reads
// the text by the square's own path, so the new text has to be in place
// before the speech is made; the old one is kept aside under a second name
// until the voice is whole, and put back when it is not.
struct TextSwap {
    std::string path;
    std::string kept;     // the old text's second name; empty when there was none
    bool swapped = false; // the new text is in place
};

std::string swap_in_text(TextSwap &swap, const std::string &note)
{
    std::string temporary;
    std::string fault = write_temporary(swap.path, note, temporary);
    if (!fault.empty())
        return "cannot write the square text file " + swap.path + ": " + fault;
    if (exists(swap.path)) {
        swap.kept = folder_of(swap.path) + "/." + name_of(swap.path) + ".old-" +
                    std::to_string(getpid());
        unlink(swap.kept.c_str());
        // A second link keeps the old text in place all along; a folder that
        // has no hard links (FAT) gets it renamed aside instead.
        if (link(swap.path.c_str(), swap.kept.c_str()) != 0 &&
            rename(swap.path.c_str(), swap.kept.c_str()) != 0) {
            int why = errno;
            unlink(temporary.c_str());
            swap.kept.clear();
            return "cannot keep the old square text file " + swap.path + " aside: " +
                   std::strerror(why);
        }
    }
    if (rename(temporary.c_str(), swap.path.c_str()) != 0) {
        int why = errno;
        unlink(temporary.c_str());
        if (!swap.kept.empty() && !exists(swap.path))
            rename(swap.kept.c_str(), swap.path.c_str());
        else if (!swap.kept.empty())
            unlink(swap.kept.c_str());
        swap.kept.clear();
        return "cannot put the new square text file in place at " + swap.path + ": " +
               std::strerror(why);
    }
    swap.swapped = true;
    return std::string();
}

// The voice was made: the old text goes.
void keep_new_text(TextSwap &swap)
{
    if (!swap.kept.empty())
        unlink(swap.kept.c_str());
}

// The voice was not made: the old text comes back, or the new one goes.
void put_back_text(int square, TextSwap &swap)
{
    if (!swap.swapped)
        return;
    bool back = swap.kept.empty() ? unlink(swap.path.c_str()) == 0
                                  : rename(swap.kept.c_str(), swap.path.c_str()) == 0;
    if (!back)
        report(square, "cannot put the old square text file back at " + swap.path + ": " +
                           std::strerror(errno) +
                           (swap.kept.empty() ? std::string() : "; it is kept as " + swap.kept));
}

// Runs one command; on failure reports it with the square and the command.
bool run_step(int square, const char *step, const std::string &command, bool capture,
              std::string &output, bool &interrupted)
{
    CommandResult result = run_command(command, COMMAND_TIME_LIMIT_MS, capture);
    interrupted = interrupted || result.interrupted;
    output = result.output;
    if (result.ok)
        return true;
    // Whatever stops the speech, the author's question is which note.
    std::string what = std::string("the ") + step + " command " + result.failure;
    if (std::string(step) == "speech")
        what = "the speech program could not speak the note (" + what + ")";
    report(square, what + ": " + command);
    if (capture && !result.output.empty())
        std::fputs(result.output.c_str(), stderr);
    return false;
}

// Checks that the speech command left speech in temp.wav.
bool speech_made(int square, const std::string &command, double &speech_ms)
{
    std::string why;
    struct stat info;
    WavInfo speech;
    if (stat(SPEECH_FILE, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0)
        why = std::string("it wrote nothing into ") + SPEECH_FILE;
    else if (!(speech = check_wav_file(SPEECH_FILE)).playable)
        why = std::string("it wrote no usable sound into ") + SPEECH_FILE + ": " + speech.fault;
    else if (speech.ms < MIN_SPEECH_MS)
        why = "it made only " + std::to_string(int(speech.ms)) +
              " ms of sound; characters it cannot say?";
    if (!why.empty()) {
        report(square, "the speech program could not speak the note (" + why + "): " + command);
        return false;
    }
    speech_ms = speech.ms;
    return true;
}

// Checks the converted sound: a whole WAV as long as the speech it came from.
std::string sound_fault(const std::string &path, double speech_ms)
{
    WavInfo sound = check_wav_file(path);
    if (!sound.playable)
        return sound.fault;
    double slack = 20 + speech_ms / 100;
    if (std::fabs(sound.ms - speech_ms) > slack)
        return "it lasts " + std::to_string(int(sound.ms)) + " ms, the speech " +
               std::to_string(int(speech_ms)) + " ms";
    return std::string();
}

// Speech, its levels and the conversion into a temporary sound file that
// replaces the square sound file once it is checked.
bool make_sound(int square, const SpeechVoice &voice, const std::string &script,
                const std::string &text_path, const std::string &sound_path, bool &interrupted)
{
    std::string output;
    // Neither the last record's speech may pass for this note's.
    std::remove(SPEECH_FILE);
    std::string speak = speech_command_for(voice, script, text_path);
    double speech_ms = 0;
    if (!run_step(square, "speech", speak, false, output, interrupted) ||
        !speech_made(square, speak, speech_ms))
        return false;
    double peak_db = 0, rms_db = 0;
    if (!run_step(square, "level measurement", measure_command(), true, output, interrupted))
        return false;
    if (!parse_levels(output, peak_db, rms_db)) {
        report(square, std::string("the speech in ") + SPEECH_FILE + " is silent");
        return false;
    }
    // The converter writes into a temporary of its own beside the square
    // sound file rather than onto it, so that a failing, cut short or
    // interrupted conversion never touches the old voice; the temporary keeps
    // the ".wav" ending because sox takes the output format from it (mended:
    // see QUIRKS.md, 'old voice kept').
    std::string stem = name_of(sound_path);
    stem.resize(stem.size() - 4);
    std::string temporary;
    int fd = create_temporary(sound_path, stem, ".wav", temporary);
    if (fd < 0) {
        report(square, "cannot create a new sound file beside " + sound_path + ": " +
                           std::strerror(errno));
        return false;
    }
    close(fd);
    std::string convert = conversion_command(temporary, level_gain(peak_db, rms_db));
    bool made = run_step(square, "conversion", convert, false, output, interrupted);
    if (made) {
        std::string fault = sound_fault(temporary, speech_ms);
        if (!fault.empty()) {
            report(square, "the conversion command wrote a broken sound (" + fault + "): " +
                               convert);
            made = false;
        }
    }
    if (made && (!flush_file(temporary) || rename(temporary.c_str(), sound_path.c_str()) != 0)) {
        report(square, "cannot put the new sound in place at " + sound_path + ": " +
                           std::strerror(errno));
        made = false;
    }
    if (!made)
        unlink(temporary.c_str());
    return made;
}

} // namespace

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

std::string speech_command_for(const SpeechVoice &voice, const std::string &script,
                               const std::string &text_path)
{
    if (voice.program == SpeechProgram::ESPEAK)
        return "espeak-ng -v " + shell_quote(voice.voice) + " -w " + SPEECH_FILE + " -f " +
               shell_quote(text_path);
    return speech_command(script, text_path);
}

std::string measure_command()
{
    return std::string("/usr/bin/sox ") + SPEECH_FILE + " -n stats";
}

bool parse_levels(const std::string &stats, double &peak_db, double &rms_db)
{
    auto level = [&](const char *label, double &value) {
        std::size_t at = stats.find(label);
        if (at == std::string::npos)
            return false;
        const char *start = stats.c_str() + at + std::strlen(label);
        char *end = nullptr;
        value = std::strtod(start, &end);
        return end != start && std::isfinite(value);
    };
    return level("Pk lev dB", peak_db) && level("RMS lev dB", rms_db);
}

double level_gain(double peak_db, double rms_db)
{
    double gain = TARGET_RMS_DB - rms_db;
    if (peak_db + gain > PEAK_CEILING_DB)
        gain = PEAK_CEILING_DB - peak_db;
    return gain;
}

std::string conversion_command(const std::string &output_path, double gain_db)
{
    char gain[32];
    std::snprintf(gain, sizeof gain, "%.2f", gain_db);
    return std::string("/usr/bin/sox -c1 -e signed-integer -b 16 ") + SPEECH_FILE +
           " -c2 -r 22050 " + shell_quote(output_path) + " gain " + gain;
}

bool note_has_words(const std::string &note)
{
    return note.find_first_not_of(" \t\n\r\v\f") != std::string::npos;
}

bool make_square_voice(const std::string &version, const VersionRecord &record,
                       const std::string &script, bool &interrupted, const SpeechVoice &voice)
{
    std::string text_path = square_text_path(version, record.start);
    std::string sound_path = square_sound_path(version, record.start);
    for (const std::string &path : {text_path, sound_path}) {
        std::string fault = leaf_fault(path);
        if (!fault.empty()) {
            report(record.start, fault);
            return false;
        }
    }
    if (!note_has_words(record.note)) {
        report(record.start, "the note is empty, there is nothing to speak; the old voice is kept");
        return false;
    }
    TextSwap swap;
    swap.path = text_path;
    if (!file_holds(text_path, record.note)) {
        std::string fault = swap_in_text(swap, record.note);
        if (!fault.empty()) {
            report(record.start, fault);
            return false;
        }
    }
    bool made = make_sound(record.start, voice, script, text_path, sound_path, interrupted);
    if (made)
        keep_new_text(swap);
    else
        put_back_text(record.start, swap);
    return made;
}
