// squarevox: speaks every note of a version into the square sound files that
// the game plays.
#include "language.h"
#include "records.h"
#include "run.h"
#include "voice.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::printf("No version specified.  Use:  squarevox version\n");
        return 1;
    }
    std::string version = version_name(argv[1]); // further arguments are ignored
    std::string path = version_config_path(version);
    VersionFile file = read_version_file(path);
    if (!file.opened) {
        std::fprintf(stderr, "squarevox: cannot open the version file %s\n", path.c_str());
        std::fprintf(stderr, "squarevox: %s\n", version_folder_hint(version).c_str());
        return 1;
    }
    // The language comes first: a version no voice can speak changes no file.
    LanguageRead language = read_version_language(version);
    if (!language.fault.empty()) {
        std::fprintf(stderr, "squarevox: %s; no file changed\n", language.fault.c_str());
        return 1;
    }
    SpeechVoice voice = voice_for_language(language.tag);
    if (voice.program == SpeechProgram::NONE) {
        std::fprintf(stderr,
                     "squarevox: no voice speaks the language \"%s\" of %s (espeak-ng has none "
                     "for it); no file changed\n",
                     language.tag.c_str(), version_language_path(version).c_str());
        return 1;
    }
    for (const std::string &problem : file.problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    if (file.records.empty())
        return file.problems.empty() ? 0 : 1;
    std::string busy = lock_working_folder(LOCK_FILE);
    if (busy == "busy") {
        std::fprintf(stderr,
                     "squarevox: another squarevox is making voices in this folder (it holds %s);"
                     " wait for it to end, then run again\n", LOCK_FILE);
        return 1;
    }
    if (!busy.empty()) {
        std::fprintf(stderr, "squarevox: cannot take the lock %s: %s\n", LOCK_FILE, busy.c_str());
        return 1;
    }
    catch_interrupts();
    // A file size limit makes a write fail, as a full disk does, instead of
    // ending the run before it has put the old files back.
    std::signal(SIGXFSZ, SIG_IGN);
    const char *search_path = std::getenv("PATH");
    std::string script = find_speech_script(SPEECH_SCRIPT, SPEECH_SCRIPT_NAME,
                                            search_path ? search_path : "");
    // A line the reader had to skip or cut short also fails the run.
    bool all_made = file.problems.empty();
    for (const VersionRecord &record : file.records) {
        bool interrupted = false;
        bool made = make_square_voice(version, record, script, interrupted, voice);
        all_made = made && all_made;
        if (interrupted || interrupt_signal() != 0) {
            std::fprintf(stderr, made ? "squarevox: interrupted after square %d\n"
                                      : "squarevox: interrupted at square %d; its old voice is kept\n",
                         record.start);
            int sig = interrupt_signal();
            return sig != 0 ? 128 + sig : 130;
        }
    }
    return all_made ? 0 : 1;
}
