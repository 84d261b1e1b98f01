// The square voice maker: shell quoting, the speech script's place, and whole
// runs of the program with a stand-in festival (the real sox converts).
#include "voice.h"

#include "sound.h"
#include "support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// ---- shell quoting, checked by the shell itself ----

// What `sh` prints for `printf %s WORD`, the word given as is.
std::string shell_echo(const std::string &word)
{
    std::string command = "printf %s " + word;
    std::FILE *pipe = popen(command.c_str(), "r");
    std::string out;
    int ch;
    while ((ch = std::fgetc(pipe)) != EOF)
        out += char(ch);
    pclose(pipe);
    return out;
}

TEST(ShellQuote, EveryTextReachesTheCommandUnchangedAndRunsNothing)
{
    enter_scratch_folder("quote");
    const std::vector<std::string> texts = {
        "mivo", "two words", "it's", "'", "''", "$(touch ran1)", "`touch ran2`",
        "a;touch ran3", "a&&touch ran4|cat>ran5<x", "line\nend", "*", "~", "\\", "\"",
        "-n", "", "$HOME", "'$(touch ran6)'", "\t tabs \t",
    };
    for (const std::string &text : texts)
        EXPECT_EQ(shell_echo(shell_quote(text)), text) << "text: " << text;
    EXPECT_TRUE(fs::is_empty(fs::current_path())) << "a quoted text ran a command";
}

// ---- where the speech script is found ----

void make_script(const std::string &path, bool executable)
{
    write_file(path, "#!/bin/sh\n");
    fs::permissions(path, executable ? fs::perms::owner_all : fs::perms::owner_read);
}

TEST(SpeechScript, UsualPathFirstThenSearchPath)
{
    std::string dir = enter_scratch_folder("script");
    make_script(dir + "/usual/text2wave.sh", false);
    make_script(dir + "/a/text2wave", false); // not executable: passed over
    make_script(dir + "/b/text2wave", true);
    make_script(dir + "/text2wave", true);
    struct Case {
        const char *name, *usual, *search, *expected;
    } cases[] = {
        {"usual path present", "usual/text2wave.sh", "a:b", "usual/text2wave.sh"},
        {"usual path absent", "none/text2wave.sh", "a:b", "b/text2wave"},
        {"first executable wins", "none/text2wave.sh", "b:a:.", "b/text2wave"},
        {"empty entry is the working folder", "none/text2wave.sh", "a::b", "./text2wave"},
        {"trailing empty entry", "none/text2wave.sh", "a:", "./text2wave"},
        {"nowhere", "none/text2wave.sh", "a:none", "none/text2wave.sh"},
        {"empty search path", "none/text2wave.sh", "", "./text2wave"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(find_speech_script(c.usual, "text2wave", c.search), c.expected) << c.name;
}

// ---- whole runs of the program ----

struct ToolRun {
    int status;
    std::string out, err;
};

// Runs squarevox with these arguments in the working folder, the folder
// "bin" (with the stand-in festival) first on the search path.
ToolRun run_squarevox(const std::vector<std::string> &args, const std::string &mode = "speak")
{
    pid_t child = fork();
    if (child == 0) {
        std::freopen("../out.txt", "w", stdout);
        std::freopen("../err.txt", "w", stderr);
        setenv("PATH", (fs::current_path().string() + "/../bin:" + std::getenv("PATH")).c_str(), 1);
        setenv("STANDIN_MODE", mode.c_str(), 1);
        std::vector<char *> argv{const_cast<char *>(SQUAREVOX_PROGRAM)};
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execv(SQUAREVOX_PROGRAM, argv.data());
        _exit(99);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return ToolRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file("../out.txt"),
               read_file("../err.txt")};
}

// A scratch folder with the stand-in festival in "bin" and an empty working
// folder "work" as the current folder. The stand-in logs the text path it
// was given and, by STANDIN_MODE, speaks (a short tone by the real sox),
// fails with status 1, or ends with 0 having written nothing.
std::string enter_tool_folder(const std::string &label)
{
    std::string dir = enter_scratch_folder(label);
    write_file(dir + "/bin/festival",
               "#!/bin/sh\n"
               "printf '%s\\n' \"$3\" >> " + dir + "/festival.log\n"
               "case \"$STANDIN_MODE\" in fail) exit 1;; silent) exit 0;; esac\n"
               "exec /usr/bin/sox -n -r 16000 -c 1 -b 16 \"$5\" synth 0.05 sine 440\n");
    fs::permissions(dir + "/bin/festival", fs::perms::owner_all);
    fs::create_directories(dir + "/work");
    fs::current_path(dir + "/work");
    return dir;
}

// Channel count and sample rate from a WAV file's "fmt " chunk; 0, 0 when the
// file is not a WAV.
std::pair<int, long> wav_format(const std::string &path)
{
    std::string b = read_file(path);
    auto u16 = [&](std::size_t p) { return int(std::uint8_t(b[p]) | std::uint8_t(b[p + 1]) << 8); };
    auto u32 = [&](std::size_t p) { return long(u16(p)) | long(u16(p + 2)) << 16; };
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
        return {0, 0};
    for (std::size_t p = 12; p + 8 <= b.size(); p += 8 + std::size_t(u32(p + 4)) + (u32(p + 4) & 1)) {
        if (b.compare(p, 4, "fmt ") == 0 && p + 16 <= b.size())
            return {u16(p + 10), u32(p + 12)};
    }
    return {0, 0};
}

std::set<std::string> entries(const std::string &folder)
{
    std::set<std::string> names;
    for (const auto &e : fs::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

std::vector<std::string> festival_log(const std::string &dir)
{
    std::vector<std::string> lines;
    std::string text = read_file(dir + "/festival.log");
    for (std::size_t p = 0, nl; (nl = text.find('\n', p)) != std::string::npos; p = nl + 1)
        lines.push_back(text.substr(p, nl - p));
    return lines;
}

const std::string note79 = " " + std::string(78, 'n'); // exactly 79 characters

TEST(SquareVox, WithoutArgumentPrintsUsageAndCreatesNothing)
{
    std::string dir = enter_tool_folder("usage");
    ToolRun run = run_squarevox({});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "No version specified.  Use:  squarevox version\n");
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(fs::is_empty(dir + "/work"));
}

TEST(SquareVox, EveryRecordGetsItsTextAndSound)
{
    std::string dir = enter_tool_folder("records");
    write_file("v/v.config", "7 3 The note\n 3 9 up\n5 1 first\n5 2 second\n0 0" + note79 +
                                 "\n99 1 last");
    ToolRun run = run_squarevox({"v", "ignored", "also ignored"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    struct Case {
        const char *file, *text;
    } cases[] = {
        {"square07", " The note\n"}, {"square03", " up\n"}, {"square05", " second\n"},
        {"square00", note79.c_str()}, {"square99", " last"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(read_file(std::string("v/") + c.file), c.text) << c.file;
        auto format = wav_format(std::string("v/") + c.file + ".wav");
        EXPECT_EQ(format.first, 2) << c.file << ".wav channels";
        EXPECT_EQ(format.second, 22050) << c.file << ".wav rate";
    }
    EXPECT_EQ(entries("v").size(), 11u) << "only the config and the five squares' files";
    EXPECT_EQ(entries("."), (std::set<std::string>{"v", "temp.wav"}));
    EXPECT_EQ(festival_log(dir), (std::vector<std::string>{"./v/square07", "./v/square03",
                                                           "./v/square05", "./v/square05",
                                                           "./v/square00", "./v/square99"}));
}

TEST(SquareVox, EmptyFileRunsNothing)
{
    std::string dir = enter_tool_folder("empty");
    write_file("v/v.config", " \n\n");
    ToolRun run = run_squarevox({"v"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(entries("."), std::set<std::string>{"v"});
    EXPECT_EQ(entries("v"), std::set<std::string>{"v.config"});
    EXPECT_FALSE(fs::exists(dir + "/festival.log"));
}

TEST(SquareVox, NamesWithShellCharactersStayInTheirFolder)
{
    const std::vector<std::string> names = {
        "two words", "it's", "a;touch ran1", "$(touch ran2)", "`touch ran3`", "x&touch ran4|y",
        "-v", std::string(300, 'l').substr(0, 120), // far beyond the old 28-character limit
    };
    for (const std::string &name : names) {
        std::string dir = enter_tool_folder("names");
        write_file(name + "/" + name + ".config", "4 9 hello\n");
        ToolRun run = run_squarevox({name});
        EXPECT_EQ(run.status, 0) << name << ": " << run.err;
        EXPECT_EQ(read_file(name + "/square04"), " hello\n") << name;
        EXPECT_EQ(wav_format(name + "/square04.wav").first, 2) << name;
        EXPECT_EQ(entries("."), (std::set<std::string>{name, "temp.wav"})) << name;
        EXPECT_EQ(entries(dir), (std::set<std::string>{"bin", "work", "festival.log", "out.txt",
                                                       "err.txt"})) << name;
        EXPECT_EQ(festival_log(dir), std::vector<std::string>{"./" + name + "/square04"}) << name;
    }
}

TEST(SquareVox, FailedStepsAreReportedAndTheRunGoesOn)
{
    struct Case {
        const char *name, *mode, *message;
    } cases[] = {
        {"festival fails", "fail",
         "squarevox: square 7: the speech command ended with status 1: festival --script "},
        {"festival writes nothing", "silent",
         "squarevox: square 7: the speech command ended without writing temp.wav: festival "},
    };
    for (const Case &c : cases) {
        std::string dir = enter_tool_folder("fail");
        write_file("v/v.config", "7 3 The note\n8 1 next\n");
        write_file("v/square07.wav", "an old sound");
        write_file("v/square08", " next\n");
        write_file("v/square08.wav", "the sound of this very note");
        ToolRun run = run_squarevox({"v"}, c.mode);
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_EQ(run.err.find(c.message), 0u) << c.name << ": " << run.err;
        EXPECT_NE(run.err.find("square 8"), std::string::npos) << c.name << ": " << run.err;
        EXPECT_EQ(read_file("v/square07"), " The note\n") << c.name;
        EXPECT_EQ(read_file("v/square08"), " next\n") << c.name;
        EXPECT_FALSE(fs::exists("v/square07.wav")) << c.name << ": a stale sound survived";
        EXPECT_EQ(read_file("v/square08.wav"), "the sound of this very note")
            << c.name << ": a failed speech lost the voice of an unchanged note";
    }
}

TEST(SquareVox, UnwritableSquareIsSkippedAndTheRunGoesOn)
{
    enter_tool_folder("unwritable");
    write_file("v/v.config", "7 3 a\n8 1 b\n");
    fs::create_directories("v/square07"); // a folder where the text file belongs
    ToolRun run = run_squarevox({"v"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.find("squarevox: square 7: cannot create the square text file ./v/square07: "),
              0u) << run.err;
    EXPECT_EQ(read_file("v/square08"), " b\n");
    EXPECT_EQ(wav_format("v/square08.wav").second, 22050);
}

TEST(SquareVox, MissingConfigurationWritesNothing)
{
    enter_tool_folder("missing");
    ToolRun run = run_squarevox({"nope"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "squarevox: cannot open the version file ./nope/nope.config\n");
    EXPECT_TRUE(fs::is_empty("."));
}

TEST(SquareVox, ReaderProblemsAreTheGamesAndFailTheRun)
{
    enter_tool_folder("problems");
    write_file("v/v.config", "x 3 bad\n6 7 good\n");
    ToolRun run = run_squarevox({"v"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "./v/v.config:1: the start square \"x\" is not a number; line skipped\n");
    EXPECT_EQ(read_file("v/square06"), " good\n");
    EXPECT_EQ(entries("v"), (std::set<std::string>{"v.config", "square06", "square06.wav"}));
}

// The voices shipped with the default version: every record has its text as
// the reader gives it and a sound that the game's loader decodes.
TEST(MivoVoices, EveryNoteHasItsTextAndAPlayableSound)
{
    fs::current_path(data_folder());
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    VersionFile file = read_version_file(version_config_path("mivo"));
    ASSERT_TRUE(file.opened);
    EXPECT_TRUE(file.problems.empty());
    EXPECT_FALSE(file.records.empty());
    for (const VersionRecord &record : file.records) {
        std::string path = square_text_path("mivo", record.start);
        EXPECT_EQ(read_file(path), record.note) << path;
        EXPECT_EQ(wav_format(path + ".wav"), (std::pair<int, long>{2, 22050})) << path;
        Mix_Chunk *sound = load_sound(path + ".wav");
        ASSERT_NE(sound, nullptr) << path << ".wav: " << Mix_GetError();
        EXPECT_GT(sound->alen, 22050u * 4) << path << ".wav lasts under a second";
        Mix_FreeChunk(sound);
    }
    Mix_CloseAudio();
    SDL_Quit();
}

} // namespace
