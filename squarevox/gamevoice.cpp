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
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

namespace {

// The clips' text is spoken from ".say-text-PID" in the clips' folder.
constexpr const char *SAY_TEXT_HEAD = ".say-text-";

// Writes the clip's text where festival reads it; false when it cannot.
bool write_text(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text << "\n";
    out.close();
    return bool(out);
}

bool make_clip(const std::string &folder, const std::string &language, const std::string &clip,
               const std::string &text, const std::string &script, bool &interrupted)
{
    SpeechJob job;
    job.label = "clip " + clip;
    job.spoken = "the clip";
    job.voice = voice_for_language(language);
    job.text_path = folder + "/" + SAY_TEXT_HEAD + std::to_string(platform_process_id());
    job.sound_path = folder + "/" + clip + ".wav";
    remove_dead_run_files(run_files(folder, temporary_head(clip), true), job.label);
    job.trim = true;
    job.channels = 1; // the mixer converts; one channel halves what ships
    if (!write_text(job.text_path, text)) {
        std::fprintf(stderr, "squarevox: clip %s: cannot write its text to %s: %s\n", clip.c_str(),
                     job.text_path.c_str(), std::strerror(errno));
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
