// The game's voice: the clips of its phrases, spoken one by one.
#include "gamevoice.h"

#include "guards.h"
#include "paths.h"
#include "platform.h"
#include "run.h"
#include "sayings.h"
#include "voice.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The clips' text is spoken from ".say-text-PID" in the clips' folder.
constexpr const char *SAY_TEXT_HEAD = ".say-text-";

// Why the clips may not be written into `folder`: a part of it after the
// first (the version's own folder, or ./audio) that is a symbolic link or not
// a folder, named; empty when none is. Clips written through a link would
// land in another board's or the shipped clips.
std::string folder_fault(const std::string &folder)
{
    std::size_t at = folder.find('/', folder.compare(0, 2, "./") == 0 ? 2 : 0);
    while (at != std::string::npos) {
        std::size_t next = folder.find('/', at + 1);
        std::string part = folder.substr(0, next);
        struct stat info;
        if (lstat(part.c_str(), &info) == 0) {
            if (S_ISLNK(info.st_mode))
                return part + " is a symbolic link; the game's voice is made only into a folder "
                              "of its own: remove the link";
            if (!S_ISDIR(info.st_mode))
                return part + " is not a folder";
        }
        at = next;
    }
    return std::string();
}

bool make_clip(const std::string &folder, const std::string &language, const std::string &clip,
               const std::string &text, const std::string &script, bool &interrupted)
{
    SpeechJob job;
    job.label = "clip " + clip;
    job.spoken = "the clip";
    job.voice = voice_for_language(language);
    // The game's own words keep the voice's pitch, the board's notes and
    // questions are lowered: a child hears which is which, and lowered, "roll
    // the die" was heard as "roll the dice" (tools/speak_wer.sh).
    job.voice.pitch_cents = 0;
    job.text_path = folder + "/" + SAY_TEXT_HEAD + std::to_string(platform_process_id());
    job.sound_path = folder + "/" + clip + ".wav";
    remove_dead_run_files(run_files(folder, temporary_head(clip), true), job.label);
    job.trim = true;
    job.channels = 1; // the mixer converts; one channel halves what ships
    std::string fault = write_text(job.text_path, text);
    if (!fault.empty()) {
        std::fprintf(stderr, "squarevox: clip %s: cannot write its text to %s: %s\n", clip.c_str(),
                     job.text_path.c_str(), fault.c_str());
        std::remove(job.text_path.c_str());
        return false;
    }
    bool made = make_spoken_sound(job, script, interrupted);
    std::remove(job.text_path.c_str());
    return made;
}

} // namespace

int make_game_voice(const std::string &folder, const std::string &language,
                    const std::string &script, const std::string &title)
{
    if (!say_language_known(language)) {
        std::fprintf(stderr,
                     "squarevox: the game's phrases have no words in the language %s; the game "
                     "speaks the English clips for it\n", language.c_str());
        return 1;
    }
    // Looked at before the folder is made and before every clip, so that a
    // link put in place while the run goes stops it (mended: see QUIRKS.md,
    // 'no write through a link').
    std::string refused = folder_fault(folder);
    if (!refused.empty()) {
        std::fprintf(stderr, "squarevox: %s; no clip made\n", refused.c_str());
        return 1;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) {
        std::fprintf(stderr, "squarevox: cannot make the folder %s for the game's voice: %s\n",
                     folder.c_str(), error ? error.message().c_str() : "not a folder");
        return 1;
    }
    // A run cut short while it spoke a clip left its text behind.
    remove_dead_run_files(run_files(folder, SAY_TEXT_HEAD, false), "the game's voice");
    bool all_made = true;
    std::vector<std::pair<std::string, std::string>> clips; // name, words
    for (const std::string &clip : say_clip_names())
        clips.emplace_back(clip, say_text(clip, language));
    if (!title.empty())
        clips.emplace_back(TITLE_CLIP, title);
    for (const auto &[clip, text] : clips) {
        refused = folder_fault(folder);
        if (!refused.empty()) {
            std::fprintf(stderr, "squarevox: %s; stopped at the clip %s\n", refused.c_str(),
                         clip.c_str());
            return 1;
        }
        bool interrupted = false;
        all_made = make_clip(folder, language, clip, text, script, interrupted) && all_made;
        if (interrupted || interrupt_signal() != 0) {
            std::fprintf(stderr, "squarevox: interrupted at the clip %s\n", clip.c_str());
            int sig = interrupt_signal();
            return sig != 0 ? 128 + sig : 130;
        }
    }
    return all_made ? 0 : 1;
}
