// The square voice maker: shell quoting, the speech script's place, and whole
// runs of the program with a stand-in festival (the real sox converts).
#include "run.h"
#include "sayings.h"
#include "voice.h"

#include "sound.h"
#include "support.h"

#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>
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

// How a run of squarevox is started: the stand-in festival's mode, a limit
// on the size of the files it may write (0: none).
struct RunSetup {
    std::string mode = "speak";
    long file_size_limit = 0;
};

// Starts squarevox with these arguments in the working folder, the folder
// "bin" (with the stand-in festival) first on the search path.
pid_t start_squarevox(const std::vector<std::string> &args, const RunSetup &setup)
{
    pid_t child = fork();
    if (child == 0) {
        std::freopen("../out.txt", "w", stdout);
        std::freopen("../err.txt", "w", stderr);
        setenv("PATH", (fs::current_path().string() + "/../bin:" + std::getenv("PATH")).c_str(), 1);
        setenv("STANDIN_MODE", setup.mode.c_str(), 1);
        if (setup.file_size_limit > 0) {
            struct rlimit limit = {rlim_t(setup.file_size_limit), rlim_t(setup.file_size_limit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::vector<char *> argv{const_cast<char *>(SQUAREVOX_PROGRAM)};
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execv(SQUAREVOX_PROGRAM, argv.data());
        _exit(99);
    }
    return child;
}

ToolRun finish_squarevox(pid_t child)
{
    int status = 0;
    waitpid(child, &status, 0);
    return ToolRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file("../out.txt"),
                   read_file("../err.txt")};
}

ToolRun run_squarevox(const std::vector<std::string> &args, const RunSetup &setup = RunSetup())
{
    return finish_squarevox(start_squarevox(args, setup));
}

// A scratch folder with the stand-in festival in "bin" and an empty working
// folder "work" as the current folder. The stand-in logs the text path it
// was given and, by STANDIN_MODE: speaks (a 0.2 s tone by the real sox, loud
// when the note holds "loud"), fails with status 1, ends with 0 having
// written nothing, writes garbage, writes a WAV without samples, (hang)
// touches ../started and sleeps, or (plant) puts links to ../outside at the
// scratch files' names and then speaks.
std::string enter_tool_folder(const std::string &label)
{
    std::string dir = enter_scratch_folder(label);
    write_file(dir + "/bin/festival",
               "#!/bin/sh\n"
               "printf '%s\\n' \"$3\" >> " + dir + "/festival.log\n"
               "case \"$STANDIN_MODE\" in\n"
               "fail) exit 1;; silent) exit 0;;\n"
               "garbage) echo 'not a sound at all' > \"$5\"; exit 0;;\n"
               "empty) exec /usr/bin/sox -n -r 16000 -c 1 -b 16 -t wav \"$5\" trim 0 0;;\n"
               "hang) touch ../started; exec sleep 30;;\n"
               "plant) ln -sf ../outside temp.wav; ln -sf ../outside temp-trim.wav;;\n"
               "click) exec /usr/bin/sox -n -r 16000 -c 1 -b 16 -t wav \"$5\" synth 0.03 sine 440;;\n"
               "esac\n"
               "vol=0.05; grep -q loud \"$3\" && vol=0.99\n"
               "exec /usr/bin/sox -n -r 16000 -c 1 -b 16 -t wav \"$5\" synth 0.2 sine 440 vol $vol\n");
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
    EXPECT_EQ(entries("."), (std::set<std::string>{"v", "temp.wav", ".squarevox.lock"}));
    EXPECT_EQ(festival_log(dir), (std::vector<std::string>{"./v/square07", "./v/square03",
                                                           "./v/square05", "./v/square05",
                                                           "./v/square00", "./v/square99"}));
}

// A version's language picks its voice: espeak-ng for French, and for a
// language no voice speaks, or a broken language file, one line, status 1
// and not a file changed.
TEST(SquareVox, TheLanguageFileChoosesTheVoiceOrChangesNothing)
{
    struct Case {
        const char *name;
        const char *language;
        int status;
        const char *err; // a part of the one line; empty for none
        const char *espeak_log;
    } cases[] = {
        {"French speaks through espeak-ng", "fr\n", 0, "", "-v fr -w FD -f ./v/square07\n"},
        {"no voice", "xx\n", 1, "no voice speaks the language \"xx\" of ./v/language", ""},
        {"a broken tag", "fr/de\n", 1, "./v/language: the tag \"fr/de\" may hold only", ""},
    };
    for (const Case &c : cases) {
        std::string dir = enter_tool_folder("language");
        write_file(dir + "/bin/espeak-ng",
                   "#!/bin/sh\necho \"$*\" | sed 's,/dev/fd/[0-9]*,FD,' >> " + dir + "/espeak.log\n"
                   "exec /usr/bin/sox -n -r 22050 -c 1 -b 16 -t wav \"$4\" synth 0.2 sine 440 vol 0.05\n");
        fs::permissions(dir + "/bin/espeak-ng", fs::perms::owner_all);
        write_file("v/v.config", "7 3 \xc3\x89l\xc3\xa8ve\n");
        write_file("v/language", c.language);
        write_file("v/square07", "old text");
        write_file("v/square07.wav", "old sound");
        ToolRun run = run_squarevox({"v"});
        EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.name << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), c.status == 0 ? 0 : 1) << c.name;
        EXPECT_EQ(read_file(dir + "/espeak.log"), c.espeak_log) << c.name;
        EXPECT_TRUE(festival_log(dir).empty()) << c.name;
        if (c.status == 0) {
            EXPECT_EQ(read_file("v/square07"), " \xc3\x89l\xc3\xa8ve\n") << c.name;
            EXPECT_EQ(wav_format("v/square07.wav"), (std::pair<int, long>{2, 22050})) << c.name;
        } else {
            EXPECT_EQ(read_file("v/square07"), "old text") << c.name;
            EXPECT_EQ(read_file("v/square07.wav"), "old sound") << c.name;
            EXPECT_EQ(entries("v"), (std::set<std::string>{"v.config", "language", "square07",
                                                           "square07.wav"})) << c.name;
        }
    }
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
        "--help", "--game-voice", "--", // these four, "-v" too, after "--"
    };
    for (const std::string &name : names) {
        std::string dir = enter_tool_folder("names");
        write_file(name + "/" + name + ".config", "4 9 hello\n");
        bool option = name[0] == '-';
        ToolRun run = run_squarevox(option ? std::vector<std::string>{"--", name}
                                           : std::vector<std::string>{name});
        EXPECT_EQ(run.status, 0) << name << ": " << run.err;
        EXPECT_EQ(read_file(name + "/square04"), " hello\n") << name;
        EXPECT_EQ(wav_format(name + "/square04.wav").first, 2) << name;
        EXPECT_EQ(entries("."), (std::set<std::string>{name, "temp.wav", ".squarevox.lock"})) << name;
        EXPECT_EQ(entries(dir), (std::set<std::string>{"bin", "work", "festival.log", "out.txt",
                                                       "err.txt"})) << name;
        EXPECT_EQ(festival_log(dir), std::vector<std::string>{"./" + name + "/square04"}) << name;
    }
}

TEST(SquareVox, VersionNameWithTrailingSlashesIsTheName)
{
    std::string dir = enter_tool_folder("slash");
    write_file("v/v.config", "4 9 hello\n");
    ToolRun run = run_squarevox({"v//"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(read_file("v/square04"), " hello\n");
    EXPECT_EQ(festival_log(dir), std::vector<std::string>{"./v/square04"});
}

// A small disk under `folder`: a tmpfs of `bytes` where the system lets us
// mount one (then true), else nothing (the caller limits the file size).
bool mount_small_disk(const std::string &folder, long bytes)
{
    fs::create_directories(folder);
    std::string options = "size=" + std::to_string(bytes);
    return mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

// Every way a voice can fail to be made leaves the square's old text and old
// sound byte for byte and no temporary file behind; the run says which square
// and ends with status 1.
TEST(SquareVox, AFailureKeepsTheOldVoiceByteForByte)
{
    struct Case {
        const char *name, *mode;
        long small_disk; // bytes the version folder's disk holds (0: no limit),
        long filler;     // of which a filler takes this many,
        long size_limit; // or else the file size limit
        const char *message;
    } cases[] = {
        {"the speech fails", "fail", 0, 0, 0,
         "the speech program could not speak the note (the speech command ended with status 1): "
         "festival "},
        {"the speech writes nothing", "silent", 0, 0, 0,
         "the speech program could not speak the note (it wrote nothing into temp.wav): festival "},
        {"garbage speech", "garbage", 0, 0, 0,
         "the speech program could not speak the note (it wrote no usable sound into temp.wav: "},
        {"speech without samples", "empty", 0, 0, 0,
         "the speech program could not speak the note (it wrote no usable sound into temp.wav: "},
        {"speech of a click", "click", 0, 0, 0,
         "the speech program could not speak the note (it made only 30 ms of sound; "},
        // config, old text and old sound take a page each; the new text one more
        {"the disk fills up with the sound", "speak", 5 * 4096, 0, 12000, "the conversion command "},
        // (a file size limit would cut the messages short too: tmpfs only)
        {"the disk is full for the text", "speak", 4 * 4096, 4096, 0,
         "cannot write the square text file ./v/square07: "},
    };
    for (const Case &c : cases) {
        std::string dir = enter_tool_folder("keep");
        RunSetup setup;
        setup.mode = c.mode;
        bool mounted = c.small_disk > 0 && mount_small_disk("v", c.small_disk);
        if (c.small_disk > 0 && !mounted) { // no tmpfs here: the same through a file size limit
            if (c.size_limit == 0) {
                std::printf("skipped without a tmpfs: %s\n", c.name);
                continue;
            }
            setup.file_size_limit = c.size_limit;
        }
        write_file("v/v.config", "7 3 The new note\n");
        write_file("v/square07", " the old note\n");
        write_file("v/square07.wav", "the old sound");
        if (mounted)
            write_file("v/filler", std::string(std::size_t(c.filler), 'f'));
        ToolRun run = run_squarevox({"v"}, setup);
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_NE(run.err.find(std::string("squarevox: square 7: ") + c.message), std::string::npos)
            << c.name << ": " << run.err;
        EXPECT_EQ(read_file("v/square07"), " the old note\n") << c.name;
        EXPECT_EQ(read_file("v/square07.wav"), "the old sound") << c.name;
        std::set<std::string> left = entries("v");
        left.erase("filler");
        EXPECT_EQ(left, (std::set<std::string>{"v.config", "square07", "square07.wav"})) << c.name;
        if (mounted)
            umount("v");
    }
}

TEST(SquareVox, AnInterruptKeepsTheOldVoiceAndEndsTheRun)
{
    for (int sig : {SIGINT, SIGTERM}) {
        std::string dir = enter_tool_folder("interrupt");
        write_file("v/v.config", "7 3 The new note\n8 1 never reached\n");
        write_file("v/square07", " the old note\n");
        write_file("v/square07.wav", "the old sound");
        RunSetup setup;
        setup.mode = "hang";
        auto start = std::chrono::steady_clock::now();
        pid_t child = start_squarevox({"v"}, setup);
        while (!fs::exists("../started") && std::chrono::steady_clock::now() - start < std::chrono::seconds(20))
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        kill(child, sig);
        ToolRun run = finish_squarevox(child);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
        EXPECT_EQ(run.status, 128 + sig);
        EXPECT_NE(run.err.find("squarevox: interrupted at square 7; its old voice is kept"),
                  std::string::npos) << run.err;
        EXPECT_EQ(read_file("v/square07"), " the old note\n") << sig;
        EXPECT_EQ(read_file("v/square07.wav"), "the old sound") << sig;
        EXPECT_EQ(entries("v"), (std::set<std::string>{"v.config", "square07", "square07.wav"}));
        EXPECT_EQ(festival_log(dir), std::vector<std::string>{"./v/square07"});
    }
}

// Square files that are not plain files, and notes without words: each is
// named in one line and left as it was, and the run goes on.
TEST(SquareVox, SquaresThatCannotBeMadeAreLeftAlone)
{
    struct Case {
        const char *name, *config, *message;
        void (*setup)();
    } cases[] = {
        {"text file is a folder", "7 3 a\n", "./v/square07 is not a regular file; left alone",
         [] { fs::create_directories("v/square07"); }},
        {"sound file is a link", "7 3 a\n", "./v/square07.wav is a symbolic link; left alone",
         [] { write_file("outside.wav", "outside"); fs::create_symlink("../outside.wav", "v/square07.wav"); }},
        {"text file is a link", "7 3 a\n", "./v/square07 is a symbolic link; left alone",
         [] { write_file("outside.wav", "outside"); fs::create_symlink("../outside.wav", "v/square07"); }},
        {"sound file is a FIFO", "7 3 a\n", "./v/square07.wav is not a regular file; left alone",
         [] { mkfifo("v/square07.wav", 0644); }},
        {"note of blanks", "7 3 \t \n", "the note is empty, there is nothing to speak; the old voice is kept", [] {}},
        {"no note at the end", "7 3", "the note is empty, there is nothing to speak; the old voice is kept", [] {}},
    };
    for (const Case &c : cases) {
        std::string dir = enter_tool_folder("alone");
        write_file("v/v.config", std::string("8 1 b\n") + c.config);
        c.setup();
        ToolRun run = run_squarevox({"v"});
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_EQ(run.err, std::string("squarevox: square 7: ") + c.message + "\n") << c.name;
        EXPECT_EQ(festival_log(dir), std::vector<std::string>{"./v/square08"}) << c.name;
        EXPECT_EQ(wav_format("v/square08.wav").second, 22050) << c.name;
        if (fs::exists("outside.wav")) {
            EXPECT_EQ(read_file("outside.wav"), "outside") << c.name;
        }
    }
}

TEST(SquareVox, ASecondRunInTheSameFolderIsRefused)
{
    std::string dir = enter_tool_folder("lock");
    write_file("v/v.config", "4 9 hello\n");
    int held = open(".squarevox.lock", O_RDWR | O_CREAT, 0644);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    ToolRun run = run_squarevox({"v"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "squarevox: another squarevox is making voices in this folder (it holds "
                       "./.squarevox.lock); wait for it to end, then run again\n");
    EXPECT_EQ(entries("v"), std::set<std::string>{"v.config"});
    close(held);
    EXPECT_EQ(run_squarevox({"v"}).status, 0) << "the lock is free again";
}

// Quiet and loud speech come out at one level, below full scale.
TEST(SquareVox, EveryVoiceIsBroughtToOneLevel)
{
    enter_tool_folder("level");
    write_file("v/v.config", "4 9 quiet\n5 9 loud\n");
    ASSERT_EQ(run_squarevox({"v"}).status, 0);
    for (const char *file : {"v/square04.wav", "v/square05.wav"}) {
        double peak = 0, rms = 0;
        std::string command = std::string("/usr/bin/sox ") + file + " -n stats 2>&1";
        std::FILE *pipe = popen(command.c_str(), "r");
        std::string stats;
        for (int ch; (ch = std::fgetc(pipe)) != EOF;)
            stats += char(ch);
        pclose(pipe);
        ASSERT_TRUE(parse_levels(stats, peak, rms)) << stats;
        EXPECT_LE(peak, -1.0) << file;
        EXPECT_NEAR(rms, TARGET_RMS_DB, 0.5) << file;
    }
}

TEST(SquareVox, MissingConfigurationWritesNothing)
{
    enter_tool_folder("missing");
    ToolRun run = run_squarevox({"nope/"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "squarevox: cannot open the version file ./nope/nope.config\n"
                       "squarevox: looked in " + fs::current_path().string() +
                       " for the folder nope/; run from the folder that holds the version folders: "
                       "data/ in the project's folder, ~/.local/share/varnowick/ for the installed game\n");
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

// ---- the game's voice ----

std::set<std::string> clip_files()
{
    std::set<std::string> names;
    for (const std::string &clip : say_clip_names())
        names.insert(clip + ".wav");
    return names;
}

TEST(GameVoice, EveryClipIsMadeIntoItsFolderInOneChannel)
{
    struct Case {
        const char *name;
        std::vector<std::string> args;
        const char *language; // v/language; null: none
        std::string folder;
        const char *title; // v/title; null: none
    } cases[] = {
        {"shipped English", {"--game-voice"}, nullptr, "audio/say/en", nullptr},
        // (a French version's clips go through espeak-ng, as its notes do)
        {"a version of its own", {"--game-voice", "v/"}, "en", "v/say", nullptr},
        {"a version with a title: its name is spoken too", {"--game-voice", "v"}, "en", "v/say",
         "The Big Climb"},
    };
    for (const Case &c : cases) {
        std::string dir = enter_tool_folder("gamevoice");
        fs::create_directories("v");
        if (c.language != nullptr)
            write_file("v/language", std::string(c.language) + "\n");
        if (c.title != nullptr)
            write_file("v/title", std::string(c.title) + "\n");
        std::set<std::string> expected = clip_files();
        if (c.title != nullptr)
            expected.insert("title.wav");
        // What a run killed while it spoke a clip left goes.
        pid_t dead = fork();
        if (dead == 0)
            _exit(0);
        waitpid(dead, nullptr, 0);
        for (const auto &left : {std::pair<const char *, const char *>{"/.say-text-", ""},
                                 {"/.number05.new-", "-abcdef.wav"}})
            write_file(c.folder + left.first + std::to_string(dead) + left.second, "");
        ToolRun run = run_squarevox(c.args);
        EXPECT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(entries(c.folder), expected) << c.name << ": the clips and nothing else";
        for (const char *clip : {"/number00.wav", "/help.wav"})
            EXPECT_EQ(wav_format(c.folder + clip), (std::pair<int, long>{1, 22050})) << c.name << clip;
        EXPECT_EQ(festival_log(dir).size(), expected.size()) << c.name;
        // A failing speech keeps every clip as it was.
        std::string before = read_file(c.folder + "/number42.wav");
        RunSetup failing;
        failing.mode = "fail";
        run = run_squarevox(c.args, failing);
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_NE(run.err.find("squarevox: clip number42: the speech program could not speak the "
                               "clip (the speech command ended with status 1)"),
                  std::string::npos) << run.err;
        EXPECT_EQ(read_file(c.folder + "/number42.wav"), before) << c.name;
        EXPECT_EQ(entries(c.folder), expected) << c.name << ": no temporary left";
    }
}

TEST(GameVoice, UsageAndWhatCannotBeSpoken)
{
    struct Case {
        const char *name;
        std::vector<std::string> args;
        const char *language; // v/language
        int status;
        const char *says;
    } cases[] = {
        {"no voice", {"--game-voice", "v"}, "xx", 1, "no voice speaks the language \"xx\" of ./v/language"},
        {"a broken language file", {"--game-voice", "v"}, "../fr", 1, "./v/language"},
        {"a voice but no words", {"--game-voice", "v"}, "sv", 1, "have no words in the language sv"},
        {"no such version", {"--game-voice", "nope"}, "xx", 1, "there is no version folder ./nope/"},
        {"two versions", {"--game-voice", "v", "w"}, "xx", 2, "takes one version at most"},
        {"a version after --", {"--game-voice", "--", "--help"}, "xx", 1, "there is no version folder ./--help/"},
        {"two versions after --", {"--game-voice", "--", "v", "w"}, "xx", 2, "takes one version at most"},
        {"-- and no version", {"--"}, "xx", 1, "No version specified.  Use:  squarevox version\n"},
        {"help", {"--help"}, "xx", 0, "squarevox --game-voice [[--] version]\n"},
    };
    for (const Case &c : cases) {
        std::string dir = enter_tool_folder("refused");
        write_file("v/language", std::string(c.language) + "\n");
        ToolRun run = run_squarevox(c.args);
        EXPECT_EQ(run.status, c.status) << c.name;
        EXPECT_NE((run.out + run.err).find(c.says), std::string::npos) << c.name << ": " << run.err;
        EXPECT_FALSE(fs::exists("v/say")) << c.name;
        EXPECT_FALSE(fs::exists(dir + "/festival.log")) << c.name;
    }
}

// ---- commands with a time limit ----

TEST(RunCommand, EndsAsTheCommandEndsOrAtItsLimit)
{
    struct Case {
        const char *name, *command;
        bool capture, ok;
        const char *failure, *output;
    } cases[] = {
        {"success", "exit 0", false, true, "", ""},
        {"failure", "exit 3", false, false, "ended with status 3", ""},
        {"no such program", "no-such-program-here 2>/dev/null", false, false,
         "ended with status 127 (the shell did not find the program)", ""},
        {"standard error captured", "echo said >&2; exit 0", true, true, "", "said\n"},
        {"a hang, its own children too", "sleep 30 & sleep 30", false, false,
         "did not end within 0.3 s and was stopped", ""},
        {"a hang that ignores SIGTERM", "trap '' TERM; sleep 30", false, false,
         "did not end within 0.3 s and was stopped", ""},
    };
    for (const Case &c : cases) {
        auto start = std::chrono::steady_clock::now();
        CommandResult result = run_command(c.command, 300, c.capture);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.name;
        EXPECT_EQ(result.ok, c.ok) << c.name;
        EXPECT_FALSE(result.interrupted) << c.name;
        EXPECT_EQ(result.failure, c.failure) << c.name;
        EXPECT_EQ(result.output, c.output) << c.name;
    }
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

// A link put at a file's name while a program writes it, or before, is never
// written through: files the programs write are made new and named to them
// by their open descriptor; the clips' folder may be no link.
TEST(SquareVox, NoFileIsWrittenThroughALink)
{
    std::string dir = enter_tool_folder("links");
    write_file(dir + "/outside", "precious");
    std::string fault;
    symlink("../outside", "planted");
    int fd = create_output("planted", fault);
    ASSERT_GE(fd, 0) << fault;
    close(fd);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status("planted")));
    EXPECT_EQ(read_file(dir + "/outside"), "precious");

    write_file("v/v.config", "4 9 hello\n");
    RunSetup planting;
    planting.mode = "plant";
    ToolRun run = run_squarevox({"v"}, planting);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("squarevox: square 4: temp.wav was replaced while a program wrote it"),
              std::string::npos) << run.err;
    EXPECT_EQ(read_file(dir + "/outside"), "precious");
    EXPECT_FALSE(fs::exists("v/square04.wav"));

    struct Case {
        const char *name;
        std::vector<std::string> args;
        const char *say;  // what ./v/say is: "link", "file"
        const char *says;
    } cases[] = {
        {"a version's say linked elsewhere", {"--game-voice", "v"}, "link",
         "squarevox: ./v/say is a symbolic link; the game's voice is made only into a folder of "
         "its own: remove the link; no clip made\n"},
        {"a version's say that is a file", {"--game-voice", "v"}, "file",
         "squarevox: ./v/say is not a folder; no clip made\n"},
        {"the shipped clips' say linked elsewhere", {"--game-voice"}, "shipped",
         "squarevox: ./audio/say is a symbolic link;"},
    };
    for (const Case &c : cases) {
        dir = enter_tool_folder("say-links");
        fs::create_directories(dir + "/elsewhere");
        fs::create_directories("v");
        write_file("v/language", "en\n");
        if (std::string(c.say) == "link")
            fs::create_directory_symlink(dir + "/elsewhere", "v/say");
        else if (std::string(c.say) == "file")
            write_file("v/say", "");
        else {
            fs::create_directories("audio");
            fs::create_directory_symlink(dir + "/elsewhere", "audio/say");
        }
        run = run_squarevox(c.args);
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.name << ": " << run.err;
        EXPECT_TRUE(fs::is_empty(dir + "/elsewhere")) << c.name;
        EXPECT_FALSE(fs::exists(dir + "/festival.log")) << c.name;
    }

    // A question's words or voice linked elsewhere is left alone; the
    // question's other parts are made.
    for (const char *planted : {"v/question04-1", "v/question04-1.wav"}) {
        dir = enter_tool_folder("question-links");
        write_file(dir + "/outside", "precious");
        write_file("v/v.config", "");
        write_file("v/questions", "4|Two and two?|four|five\n");
        fs::create_symlink(dir + "/outside", planted);
        run = run_squarevox({"v"});
        EXPECT_EQ(run.status, 1) << planted;
        EXPECT_NE(run.err.find(std::string("./") + planted + " is a symbolic link; left alone"),
                  std::string::npos) << run.err;
        EXPECT_EQ(read_file(dir + "/outside"), "precious") << planted;
        EXPECT_TRUE(fs::exists("v/question04-1-answer1.wav")) << planted;
    }
}

} // namespace
