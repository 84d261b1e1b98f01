// squarevox: speaks every note of a version into the square sound files that
// the game plays, and the game's own phrases into its voice clips.
#include "cmdline.h"
#include "boards.h"
#include "gamevoice.h"
#include "guards.h"
#include "language.h"
#include "paths.h"
#include "questionvoice.h"
#include "records.h"
#include "run.h"
#include "utf8.h"
#include "voice.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

constexpr const char *USAGE =
    "Use:  squarevox [--] version\n"
    "        speaks the notes of ./version/version.config into ./version/squareNN.wav\n"
    "      squarevox --game-voice [[--] version]\n"
    "        speaks the game's phrases for --speak: without a version, in English\n"
    "        into ./audio/say/en/; with one, in the language of ./version/language\n"
    "        into ./version/say/\n"
    "      squarevox --help, --version\n"
    "      \"--\" ends the options: a version may then be named like one (-- --help)\n";

// Takes the working folder's lock and readies the run for interrupts; the
// exit status when the run cannot go on, else 0.
static int start_run()
{
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
    return 0;
}

static std::string speech_script()
{
    const char *search_path = std::getenv("PATH");
    return find_speech_script(SPEECH_SCRIPT, SPEECH_SCRIPT_NAME, search_path ? search_path : "");
}

// The language of `version` and the voice that speaks it; false, with one
// line naming the language file, when the file is unusable or no voice
// speaks the language.
static bool version_voice(const std::string &version, std::string &language, SpeechVoice &voice)
{
    LanguageRead read = read_version_language(version);
    if (!read.fault.empty()) {
        std::fprintf(stderr, "squarevox: %s; no file changed\n", read.fault.c_str());
        return false;
    }
    language = read.tag;
    voice = voice_for_language(language);
    if (voice.program != SpeechProgram::NONE)
        return true;
    std::fprintf(stderr,
                 "squarevox: no voice speaks the language \"%s\" of %s (espeak-ng has none "
                 "for it); no file changed\n",
                 language.c_str(), version_language_path(version).c_str());
    return false;
}

// squarevox --game-voice [[--] version]; `first` is the argument after the
// options.
static int game_voice(int argc, char **argv, int first)
{
    if (argc - first > 1) {
        std::fprintf(stderr, "squarevox: --game-voice takes one version at most\n%s", USAGE);
        return 2;
    }
    std::string language = DEFAULT_LANGUAGE;
    std::string folder = shipped_clips_folder(language);
    std::string title; // a version's title file, spoken for the menu
    if (first < argc) {
        std::string version = version_name(argv[first]);
        std::error_code error;
        if (!std::filesystem::is_directory(version_folder(version), error)) {
            std::fprintf(stderr, "squarevox: there is no version folder ./%s/\nsquarevox: %s\n",
                         version.c_str(), version_folder_hint(version).c_str());
            return 1;
        }
        SpeechVoice voice;
        if (!version_voice(version, language, voice))
            return 1;
        folder = version_clips_folder(version);
        std::string fault;
        std::string named = version_title(version, fault);
        if (!fault.empty())
            std::fprintf(stderr, "squarevox: %s\n", terminal_text(fault).c_str());
        if (regular_file_fault(version_title_path(version)).empty())
            title = named;
    }
    int status = start_run();
    return status != 0 ? status : make_game_voice(folder, language, speech_script(), title);
}

// The options' end, printed, as the status to end with; -1 to go on.
static int options_ended(const OptionsRead &read)
{
    if (read.end == OptionsEnd::HELP)
        std::printf("squarevox: speaks a version's notes, and the game's phrases, with festival "
                    "and sox\n%s", USAGE);
    else if (read.end == OptionsEnd::VERSION)
        std::printf("%s\n", version_line("squarevox").c_str());
    else if (read.end == OptionsEnd::USAGE_ERROR)
        std::fprintf(stderr, "squarevox: %s\n%s", read.fault.c_str(), USAGE);
    return options_status(read.end);
}

int main(int argc, char **argv)
{
    bool game_voices = false;
    const std::vector<OptionRow> table = {
        {"--game-voice", false, [&](const std::string &) { game_voices = true; return std::string(); }},
    };
    OptionsRead read = read_options(argc, argv, table);
    if (read.end != OptionsEnd::GO_ON)
        return options_ended(read);
    if (game_voices)
        return game_voice(argc, argv, read.first);
    // After the version further arguments are ignored.
    int at = read.first;
    if (argc <= at) {
        std::printf("No version specified.  Use:  squarevox version\n");
        return 1;
    }
    std::string version = version_name(argv[at]);
    std::string path = version_config_path(version);
    VersionFile file = read_version_file(path);
    if (!file.opened) {
        std::fprintf(stderr, "squarevox: cannot open the version file %s\n", path.c_str());
        std::fprintf(stderr, "squarevox: %s\n", version_folder_hint(version).c_str());
        return 1;
    }
    // The language comes first: a version no voice can speak changes no file.
    std::string language;
    SpeechVoice voice;
    if (!version_voice(version, language, voice))
        return 1;
    for (const std::string &problem : file.problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    QuestionFile questions = read_version_questions(version);
    if (!questions.fault.empty())
        std::fprintf(stderr, "squarevox: %s\n", questions.fault.c_str());
    for (const std::string &problem : questions.problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    bool questions_read = questions.fault.empty() && questions.problems.empty();
    if (file.records.empty() && questions.questions.empty())
        return file.problems.empty() && questions_read ? 0 : 1;
    int started = start_run();
    if (started != 0)
        return started;
    std::string script = speech_script();
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
    // A line of the questions that could not be read also fails the run.
    if (!questions.questions.empty()) {
        int asked = make_question_voices(version, questions, script, voice);
        if (asked > 1)
            return asked;
        all_made = all_made && asked == 0;
    }
    return all_made && questions_read ? 0 : 1;
}
