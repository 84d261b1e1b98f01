// One record's square text file and square sound file, made through the shell
// and each put in place only once it is whole.
#include "voice.h"

#include "guards.h"
#include "language.h"
#include "platform.h"
#include "run.h"
#include "wavguard.h"

#include <fcntl.h>
#include <signal.h>
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

void report_job(const std::string &label, const std::string &what)
{
    std::fprintf(stderr, "squarevox: %s: %s\n", label.c_str(), what.c_str());
}

void report(int square, const std::string &what)
{
    report_job("square " + std::to_string(square), what);
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
// (square_kept_text_path; an empty file there when there was none) until the
// voice is whole, and put back when it is not. A run killed meanwhile leaves
// that file, which tells boardcheck and the next run that the voice may be
// the old note's (mended: see QUIRKS.md, 'a killed voice run').
struct TextSwap {
    std::string path;
    std::string kept;     // the old text's second name, or the empty marker
    bool had_old = false; // there was an old text
    bool swapped = false; // the new text is in place
};

std::string swap_in_text(TextSwap &swap, const std::string &note)
{
    std::string temporary;
    std::string fault = write_temporary(swap.path, note, temporary);
    if (!fault.empty())
        return "cannot write the square text file " + swap.path + ": " + fault;
    unlink(swap.kept.c_str());
    swap.had_old = exists(swap.path);
    // A second link keeps the old text in place all along; a folder that
    // has no hard links (FAT) gets it renamed aside instead.
    bool aside = false;
    if (swap.had_old)
        aside = link(swap.path.c_str(), swap.kept.c_str()) == 0 ||
                rename(swap.path.c_str(), swap.kept.c_str()) == 0;
    else {
        int fd = platform_create_new(swap.kept.c_str());
        aside = fd >= 0 && close(fd) == 0;
    }
    if (!aside) {
        int why = errno;
        unlink(temporary.c_str());
        return "cannot keep the old square text file " + swap.path + " aside: " +
               std::strerror(why);
    }
    if (rename(temporary.c_str(), swap.path.c_str()) != 0) {
        int why = errno;
        unlink(temporary.c_str());
        if (swap.had_old && !exists(swap.path))
            rename(swap.kept.c_str(), swap.path.c_str());
        else
            unlink(swap.kept.c_str());
        return "cannot put the new square text file in place at " + swap.path + ": " +
               std::strerror(why);
    }
    swap.swapped = true;
    return std::string();
}

// The voice was made: the old text goes.
void keep_new_text(TextSwap &swap)
{
    if (swap.swapped)
        unlink(swap.kept.c_str());
}

// The voice was not made: the old text comes back, or the new one goes.
void put_back_text(int square, TextSwap &swap)
{
    if (!swap.swapped)
        return;
    bool back = swap.had_old ? rename(swap.kept.c_str(), swap.path.c_str()) == 0
                             : unlink(swap.path.c_str()) == 0 && unlink(swap.kept.c_str()) == 0;
    if (!back)
        report(square, "cannot put the old square text file back at " + swap.path + ": " +
                           std::strerror(errno) + "; it is kept as " + swap.kept);
}

// Whether squarevox process `pid`, another than this one, still runs; then
// its file is left to it, with a line saying so under `label`.
bool left_to_its_run(const std::string &label, const RunFile &file)
{
    if (file.pid == platform_process_id() || (kill(pid_t(file.pid), 0) != 0 && errno != EPERM))
        return false;
    report_job(label, file.path + " belongs to squarevox process " + std::to_string(file.pid) +
                          ", which still runs; left alone");
    return true;
}

// What a run that was killed while it spoke this square left: its old text
// comes back (or its new text goes when there was none), so that the text is
// again the one the voice was made from, and its temporaries go. A file of a
// squarevox that still runs is left to it.
void recover_kept_text(const std::string &version, int square, const std::string &text_path)
{
    std::string label = "square " + std::to_string(square);
    for (const RunFile &kept : square_kept_texts(version, square)) {
        if (left_to_its_run(label, kept))
            continue;
        struct stat info;
        bool had_old = lstat(kept.path.c_str(), &info) == 0 && info.st_size > 0;
        bool back = had_old ? rename(kept.path.c_str(), text_path.c_str()) == 0
                            : (unlink(text_path.c_str()) == 0 || errno == ENOENT) &&
                                  unlink(kept.path.c_str()) == 0;
        if (!back)
            report(square, "cannot clean up " + kept.path + ", left by a run that was cut short: " +
                               std::strerror(errno));
    }
    remove_dead_run_files(square_temporaries(version, square), label);
}

// Whether the file at `path` is still the one open as `fd`: no link or other
// file was put in its place while a program wrote it.
bool still_ours(int fd, const std::string &path)
{
    struct stat held, named;
    return fstat(fd, &held) == 0 && lstat(path.c_str(), &named) == 0 && S_ISREG(named.st_mode) &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// Closes an output file a step wrote; false, with a line naming the job,
// when another file was put at its name meanwhile.
bool close_output(const SpeechJob &job, int fd, const std::string &path)
{
    bool ours = still_ours(fd, path);
    close(fd);
    if (!ours)
        report_job(job.label, path + " was replaced while a program wrote it; not used");
    return ours;
}

// Runs one command; on failure reports it with the square and the command.
bool run_step(const SpeechJob &job, const char *step, const std::string &command, bool capture,
              std::string &output, bool &interrupted, int pass_fd = -1)
{
    CommandResult result = run_command(command, COMMAND_TIME_LIMIT_MS, capture, pass_fd);
    interrupted = interrupted || result.interrupted;
    output = result.output;
    if (result.ok)
        return true;
    // Whatever stops the speech, the author's question is which note.
    std::string what = std::string("the ") + step + " command " + result.failure;
    if (std::string(step) == "speech")
        what = "the speech program could not speak " + job.spoken + " (" + what + ")";
    report_job(job.label, what + ": " + command);
    if (capture && !result.output.empty())
        std::fputs(result.output.c_str(), stderr);
    return false;
}

// Checks that the speech command left speech in temp.wav.
bool speech_made(const SpeechJob &job, const std::string &command, double &speech_ms)
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
        report_job(job.label, "the speech program could not speak " + job.spoken + " (" + why +
                                  "): " + command);
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

// Cuts the silence before and after the speech in temp.wav, through a
// second scratch file renamed over it once sox has written it whole.
bool trim_speech(const SpeechJob &job, std::string &output, bool &interrupted)
{
    std::string fault;
    int fd = create_output(TRIMMED_SPEECH_FILE, fault);
    if (fd < 0) {
        report_job(job.label, std::string("cannot make ") + TRIMMED_SPEECH_FILE + ": " + fault);
        return false;
    }
    bool trimmed = run_step(job, "silence trim", trim_command(fd_path(fd)), false, output,
                            interrupted, fd);
    if (!close_output(job, fd, TRIMMED_SPEECH_FILE) || !trimmed)
        return false;
    if (rename(TRIMMED_SPEECH_FILE, SPEECH_FILE) != 0) {
        report_job(job.label, std::string("cannot put the trimmed speech in place at ") +
                                  SPEECH_FILE + ": " + std::strerror(errno));
        std::remove(TRIMMED_SPEECH_FILE);
        return false;
    }
    return true;
}

// The conversion of checked speech of these levels into a temporary sound
// file that replaces the job's sound file once it is checked.
bool convert_speech(const SpeechJob &job, double speech_ms, double peak_db, double rms_db,
                    std::string &output, bool &interrupted)
{
    // The converter writes into a temporary of its own beside the square
    // sound file rather than onto it, so that a failing, cut short or
    // interrupted conversion never touches the old voice; the temporary keeps
    // the ".wav" ending because sox takes the output format from it (mended:
    // see QUIRKS.md, 'old voice kept').
    const std::string &sound_path = job.sound_path;
    std::string stem = name_of(sound_path);
    stem.resize(stem.size() - 4);
    std::string temporary;
    int fd = create_temporary(sound_path, stem, ".wav", temporary);
    if (fd < 0) {
        report_job(job.label, "cannot create a new sound file beside " + sound_path + ": " +
                                  std::strerror(errno));
        return false;
    }
    std::string convert =
        conversion_command(fd_path(fd), level_gain(peak_db, rms_db), job.channels,
                           job.voice.pitch_cents);
    bool made = run_step(job, "conversion", convert, false, output, interrupted, fd);
    made = close_output(job, fd, temporary) && made;
    if (made) {
        std::string fault = sound_fault(temporary, speech_ms);
        if (!fault.empty()) {
            report_job(job.label,
                       "the conversion command wrote a broken sound (" + fault + "): " + convert);
            made = false;
        }
    }
    if (made && (!flush_file(temporary) || rename(temporary.c_str(), sound_path.c_str()) != 0)) {
        report_job(job.label, "cannot put the new sound in place at " + sound_path + ": " +
                                  std::strerror(errno));
        made = false;
    }
    if (!made)
        unlink(temporary.c_str());
    return made;
}

} // namespace

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

std::string write_text(const std::string &path, const std::string &text)
{
    std::string fault;
    int fd = create_output(path, fault);
    if (fd < 0)
        return fault;
    std::string line = text + "\n";
    bool written = write(fd, line.data(), line.size()) == ssize_t(line.size());
    int why = errno;
    if (close(fd) != 0 && written) {
        written = false;
        why = errno;
    }
    return written ? std::string() : std::strerror(why);
}

void remove_dead_run_files(const std::vector<RunFile> &files, const std::string &label)
{
    for (const RunFile &file : files)
        if (!left_to_its_run(label, file) && unlink(file.path.c_str()) != 0 && errno != ENOENT)
            report_job(label, "cannot remove " + file.path + ", left by a run that was cut short: " +
                                  std::strerror(errno));
}

bool make_spoken_sound(const SpeechJob &job, const std::string &script, bool &interrupted)
{
    std::string output;
    // Neither the last record's speech may pass for this one's: temp.wav is
    // made anew, empty.
    std::string fault;
    int fd = create_output(SPEECH_FILE, fault);
    if (fd < 0) {
        report_job(job.label, std::string("cannot make ") + SPEECH_FILE + ": " + fault);
        return false;
    }
    std::string speak = speech_command_for(job.voice, script, job.text_path, fd_path(fd));
    double speech_ms = 0;
    bool spoken = run_step(job, "speech", speak, false, output, interrupted, fd);
    if (!close_output(job, fd, SPEECH_FILE) || !spoken || !speech_made(job, speak, speech_ms))
        return false;
    if (job.trim && (!trim_speech(job, output, interrupted) || !speech_made(job, speak, speech_ms)))
        return false;
    double peak_db = 0, rms_db = 0;
    if (!run_step(job, "level measurement", measure_command(job.voice.pitch_cents), true,
                  output, interrupted))
        return false;
    if (!parse_levels(output, peak_db, rms_db)) {
        report_job(job.label, std::string("the speech in ") + SPEECH_FILE + " is silent");
        return false;
    }
    return convert_speech(job, speech_ms, peak_db, rms_db, output, interrupted);
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

std::string speech_command(const std::string &script, const std::string &text_path,
                           const std::string &output)
{
    return "festival --script " + shell_quote(script) + " " + shell_quote(text_path) + " -o " +
           shell_quote(output);
}

std::string speech_command_for(const SpeechVoice &voice, const std::string &script,
                               const std::string &text_path, const std::string &output)
{
    if (voice.program == SpeechProgram::ESPEAK)
        return "espeak-ng -v " + shell_quote(voice.voice) + " -w " + shell_quote(output) +
               " -f " + shell_quote(text_path);
    return speech_command(script, text_path, output);
}

int create_output(const std::string &path, std::string &fault)
{
    // A link planted again between the removal and the creation makes the
    // creation fail; a few tries outlast a careless race, never a link.
    for (int attempt = 0; attempt < 5; attempt++) {
        struct stat info;
        if (lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            fault = "it is a folder, not a file";
            return -1;
        }
        if (unlink(path.c_str()) != 0 && errno != ENOENT)
            break;
        int fd = platform_create_new(path.c_str());
        if (fd >= 0 || errno != EEXIST) {
            if (fd < 0)
                break;
            return fd;
        }
    }
    fault = std::strerror(errno);
    return -1;
}

static std::string pitch_effect(int pitch_cents)
{
    return pitch_cents == 0 ? std::string() : " pitch " + std::to_string(pitch_cents);
}

std::string measure_command(int pitch_cents)
{
    return std::string(SOUND_CONVERTER) + " " + SPEECH_FILE + " -n" + pitch_effect(pitch_cents) +
           " stats";
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

std::string conversion_command(const std::string &output_path, double gain_db, int channels,
                               int pitch_cents)
{
    char gain[32];
    std::snprintf(gain, sizeof gain, "%.2f", gain_db);
    return std::string(SOUND_CONVERTER) + " -c1 -e signed-integer -b 16 " + SPEECH_FILE + " -c" +
           std::to_string(channels) + " -r 22050 -t wav " + shell_quote(output_path) +
           pitch_effect(pitch_cents) + " gain " + gain;
}

std::string trim_command(const std::string &output)
{
    return std::string(SOUND_CONVERTER) + " " + SPEECH_FILE + " -t wav " + shell_quote(output) +
           " silence 1 " + SILENCE_SPAN + " " + SILENCE_START_LEVEL + " reverse silence 1 " +
           SILENCE_SPAN + " " + SILENCE_END_LEVEL + " reverse";
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
    recover_kept_text(version, record.start, text_path);
    TextSwap swap;
    swap.path = text_path;
    swap.kept = square_kept_text_path(version, record.start, platform_process_id());
    if (!file_holds(text_path, record.note)) {
        std::string fault = swap_in_text(swap, record.note);
        if (!fault.empty()) {
            report(record.start, fault);
            return false;
        }
    }
    SpeechJob job;
    job.label = "square " + std::to_string(record.start);
    job.spoken = "the note";
    job.voice = voice;
    job.text_path = text_path;
    job.sound_path = sound_path;
    bool made = make_spoken_sound(job, script, interrupted);
    if (made)
        keep_new_text(swap);
    else
        put_back_text(record.start, swap);
    return made;
}
