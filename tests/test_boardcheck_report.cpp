// The checker's report on small versions made here: the record problems, the
// voices, the WAV check (against the game's own mixer) and the exit statuses.
#include "mixer.h"
#include "paths.h"
#include "report.h"
#include "wavguard.h"

#include "support.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

void put16(std::string &s, unsigned v)
{
    s += char(v & 0xff);
    s += char(v >> 8 & 0xff);
}

void put32(std::string &s, std::uint32_t v)
{
    put16(s, v & 0xffff);
    put16(s, v >> 16);
}

std::string chunk(const std::string &id, const std::string &body, std::uint32_t claimed = 0)
{
    std::string s = id;
    put32(s, claimed ? claimed : std::uint32_t(body.size()));
    s += body;
    if (body.size() % 2)
        s += '\0';
    return s;
}

std::string fmt_body(unsigned tag, unsigned channels, std::uint32_t rate, unsigned bits,
                     unsigned block = 0)
{
    std::string s;
    put16(s, tag);
    put16(s, channels);
    put32(s, rate);
    if (block == 0)
        block = channels * bits / 8;
    put32(s, rate * block);
    put16(s, block);
    put16(s, bits);
    return s;
}

// The extensible header with the PCM sub-format.
std::string extensible_body(unsigned channels, std::uint32_t rate, unsigned bits)
{
    std::string s = fmt_body(0xFFFE, channels, rate, bits);
    put16(s, 22);
    put16(s, bits);
    put32(s, 0);
    put16(s, 1); // PCM
    s += std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    return s;
}

std::string riff(const std::string &chunks)
{
    std::string s = "RIFF";
    put32(s, std::uint32_t(4 + chunks.size()));
    return s + "WAVE" + chunks;
}

// A silent 16-bit WAV of `ms` milliseconds at 22050 Hz, as the voices are.
std::string voice_wav(int ms, unsigned channels = 2)
{
    std::size_t frames = std::size_t(22050) * std::size_t(ms) / 1000;
    return riff(chunk("fmt ", fmt_body(1, channels, 22050, 16)) +
                chunk("data", std::string(frames * channels * 2, '\0')));
}

struct WavCase {
    const char *name;
    std::string bytes;
    bool playable;
    double ms;
    bool mixer_loads; // what the game's mixer does with it
};

std::vector<WavCase> wav_cases()
{
    std::string pcm8 = fmt_body(1, 1, 8000, 8);
    std::string data = chunk("data", std::string(1600, '\x80'));
    return {
        {"16-bit stereo voice", voice_wav(500), true, 500, true},
        {"8-bit mono", riff(chunk("fmt ", pcm8) + data), true, 200, true},
        {"extensible 16-bit, 4 channels", riff(chunk("fmt ", extensible_body(4, 8000, 16)) + data),
         true, 25, true},
        {"an odd LIST chunk before the data", riff(chunk("fmt ", pcm8) + chunk("LIST", "abc") + data),
         true, 200, true},
        // The mixer plays what is there, but a sound claiming more is broken.
        {"data cut short", riff(chunk("fmt ", pcm8) + chunk("data", std::string(800, '\x80'), 1600)),
         false, 0, true},
        {"float samples", riff(chunk("fmt ", fmt_body(3, 1, 8000, 32)) + data), false, 0, false},
        {"24-bit extensible", riff(chunk("fmt ", extensible_body(2, 8000, 24)) + data), false, 0, false},
        {"data before fmt", riff(data + chunk("fmt ", pcm8)), false, 0, false},
        {"no data chunk", riff(chunk("fmt ", pcm8)), false, 0, false},
        {"wrong block size", riff(chunk("fmt ", fmt_body(1, 1, 8000, 16, 4)) + data), false, 0, false},
        {"sample rate 0", riff(chunk("fmt ", fmt_body(1, 1, 0, 16)) + data), false, 0, false},
        {"not RIFF", "RIFX" + riff(data).substr(4), false, 0, false},
        {"five bytes", "RIFF\x01", false, 0, false},
        // The mixer loads an empty sound, but a voice without sound is a fault.
        {"empty data", riff(chunk("fmt ", pcm8) + chunk("data", "")), false, 0, true},
    };
}

TEST(BoardcheckWav, HeadersAgainstTheGamesMixer)
{
    enter_scratch_folder("boardcheck-wav");
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024), 0) << SDL_GetError();
    for (const WavCase &c : wav_cases()) {
        write_file("case.wav", c.bytes);
        WavInfo info = check_wav_file("case.wav");
        EXPECT_TRUE(info.found) << c.name;
        EXPECT_EQ(info.playable, c.playable) << c.name << ": " << info.fault;
        EXPECT_EQ(info.fault.empty(), c.playable) << c.name;
        EXPECT_NEAR(info.ms, c.ms, 1e-9) << c.name;
        Mix_Chunk *loaded = Mix_LoadWAV_RW(SDL_RWFromFile("case.wav", "rb"), 1);
        EXPECT_EQ(loaded != nullptr, c.mixer_loads) << c.name;
        if (loaded)
            Mix_FreeChunk(loaded);
        EXPECT_EQ(check_sound_as_game("case.wav").playable, c.playable && c.mixer_loads) << c.name;
    }
    WavInfo missing = check_wav_file("nothing.wav");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.fault, "missing");
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// The report's lines on a version file, in order.
std::vector<std::string> findings_of(const std::string &text)
{
    std::vector<std::string> texts;
    for (const Finding &f : record_findings(parse_version_text(text, "./v/v.config"), "./v/v.config"))
        texts.push_back(f.text);
    return texts;
}

TEST(BoardcheckReport, EveryMistakeNamedOnceWithFileAndLine)
{
    struct Case {
        const char *name;
        std::string text;
        std::vector<std::string> starts; // each finding's beginning, in order
    };
    const std::string at1 = "./v/v.config:1: ";
    const std::vector<Case> cases = {
        {"a clean board, CRLF line ends too", "4 25 up\r\n19 2 down\r\n", {}},
        {"a square that starts two records", "4 25 up\n30 12 x\n4 40 again\n",
         {"./v/v.config:3: square 4 already starts the record of line 1"}},
        {"start on 0 and on 99", "0 40 never\n99 3 never\n",
         {at1 + "the record starts on square 0", "./v/v.config:2: the record starts on square 99"}},
        {"equal squares", "\n\n7 7 stay\n", {"./v/v.config:3: the record goes from square 7 to itself"}},
        {"a ladder onto a chute", "4 30 up\n30 12 down\n",
         {at1 + "the ladder from 4 ends on square 30, where the record of line 2 starts"}},
        {"a chute onto a ladder named by its later record", "50 4 down\n4 9 a\n4 20 b\n",
         {at1 + "the chute from 50 ends on square 4, where the record of line 3 starts",
          "./v/v.config:3: square 4 already starts"}},
        {"a ladder to 99 where a record starts", "90 99 win\n99 5 x\n",
         {"./v/v.config:2: the record starts on square 99"}},
        {"no blank after the end square, not also an end on a start", "4 25 up\n16 4r5 squares back\n",
         {"./v/v.config:2: there is no blank between the end square 4 and the note \"r5 squares back\": the "
                "game drops the note's first character \"r\"; put a blank after 4"}},
        {"no blank and nothing after it: that fault alone", "16 4r\n",
         {at1 + "there is no blank between the end square 4 and the note \"r\""}},
        {"no note, a note of blanks", "93 58\n20 40 \t \n",
         {at1 + "the record has no note: the panel stays empty and squarevox has nothing to speak",
          "./v/v.config:2: the record has no note"}},
        {"last line without its line end", "4 25 up",
         {at1 + "warning: the file's last line has no line end, so the panel drops the note's "
                "last character \"p\": press Enter at the end of the line"}},
        {"bytes that are not UTF-8, said once", "4 25 Caf\xc3\xa9 \xe9 \xc3\xa9 \x85\n",
         {at1 + "the note holds \"\xc3\xa9\" (2 wrong signs), "
                "which the game's font cannot draw (the panel shows wrong signs instead) and the "
                "speech program skips or garbles",
          at1 + "the note holds the byte 0xE9 (\"\xc3\xa9\") in Latin-1, which the panel draws as "
                "such but the speech program skips or garbles; save the file as UTF-8",
          at1 + "the note holds the byte 0x85, which the panel shows as a blank"}},
        {"UTF-8 is read as characters", "4 25 Caf\xc3\xa9 \xf0\x9f\x98\x80\n", {}},
        {"a tab inside the note", "4 25 up\there\n",
         {at1 + "the note holds a tab, which the panel shows as a sign of its own; use blanks"}},
        {"controls drawn as signs and DEL drawn blank, as the font has them",
         "4 25 up\there\x01" "\x7f" "!\n",
         {at1 + "the note holds a tab and the control character 0x01, which the panel shows as a "
                "sign of its own; use blanks",
          at1 + "the note holds the control character 0x7F, which the panel shows as a blank; "
                "use a blank or remove it"}},
        {"controls beside letters beyond ASCII are boxes", "4 25 caf\xc3\xa9\there\x7f" "!\n",
         {at1 + "the note holds a tab and the control character 0x7F, which the panel shows as a "
                "box in a note with letters beyond ASCII; use blanks"}},
        {"no word to say", "4 25 ...!\n",
         {at1 + "the note has no letter or digit: the speech program cannot say it"}},
        {"a start square alone on its line", "16\n4 Go back.\n",
         {at1 + "the line holds only the start square 16, so the end square 4 and the note are "
                "taken from line 2"}},
        {"bare carriage returns: one finding for the merged line", "4 25 up\r30 12 down\r",
         {at1 + "the line holds a carriage return that does not end it"}},
        {"a note one character too long", "4 25 " + std::string(78, 'a') + "\n",
         {at1 + "the note has 78 characters after the blank, and the game shows at most 77: "
                "shorten it (now its last character is lost)"}},
        {"77 characters show whole", "4 25 " + std::string(77, 'a') + "\n", {}},
        {"file order across the reader's and the board's findings",
         "4 25 up\nx 3 bad\n93 58\n4 9 again\n",
         {"./v/v.config:2: the start square \"x\" is not a number; line skipped",
          "./v/v.config:3: the record has no note", "./v/v.config:4: square 4 already starts"}},
    };
    for (const Case &c : cases) {
        std::vector<std::string> got = findings_of(c.text);
        ASSERT_EQ(got.size(), c.starts.size()) << c.name << (got.empty() ? "" : ": " + got[0]);
        for (std::size_t i = 0; i < got.size(); i++)
            EXPECT_EQ(got[i].rfind(c.starts[i], 0), 0u) << c.name << ": " << got[i];
    }
}

// The findings above say what the 8-bit font draws: a sign for every
// control byte below 0x20, nothing for DEL.
TEST(BoardcheckReport, ControlGlyphsAreSignsButDelIsBlank)
{
    std::string font = read_file(data_folder() + "/" + PANEL_FONT);
    ASSERT_EQ(font.size(), 256u * 13);
    for (int ch : {0x00, 0x01, 0x09, 0x1F, 0x7F}) {
        bool blank = font.substr(std::size_t(ch) * 13, 13) == std::string(13, '\0');
        EXPECT_EQ(blank, ch == 0x7F) << "glyph " << ch;
    }
}

// A version of three records in a scratch folder, with the fixed sounds.
void make_version()
{
    write_file("./v/v.config", "4 25 Climb up!\n30 12 Slide down.\n4 40 Higher!\n");
    write_file("./audio/player1.wav", voice_wav(1000));
    write_file("./audio/player2.wav", voice_wav(1000));
    write_file("./audio/win1.wav", voice_wav(2000));
    write_file("./audio/win2.wav", voice_wav(2000));
}

void make_voice(int square, const std::string &note)
{
    std::string name = "./v/square" + std::string(square < 10 ? "0" : "") + std::to_string(square);
    write_file(name, note);
    write_file(name + ".wav", voice_wav(1500));
}

int run(std::string &report)
{
    std::ostringstream out, err;
    int status = boardcheck("v", out, err);
    report = out.str();
    EXPECT_EQ(err.str(), "");
    return status;
}

TEST(BoardcheckReport, VoicesNotMadeYetAreNoProblem)
{
    enter_scratch_folder("boardcheck-novoice");
    make_version();
    std::string report;
    EXPECT_EQ(run(report), STATUS_PROBLEMS); // square 4 starts two records
    EXPECT_NE(report.find("Voices: none made yet; run squarevox v"), std::string::npos) << report;
    EXPECT_EQ(report.find("square04.wav:"), std::string::npos) << report;
    EXPECT_NE(report.find("Player 1 wins"), std::string::npos) << report;

    write_file("./v/v.config", "4 25 Climb up!\n30 12 Slide down.\n");
    EXPECT_EQ(run(report), STATUS_CLEAN) << report;
    EXPECT_NE(report.find("Problems: none"), std::string::npos) << report;
}

TEST(BoardcheckReport, EveryVoiceFaultIsAProblem)
{
    enter_scratch_folder("boardcheck-voices");
    make_version();
    write_file("./v/v.config", "4 25 Climb up!\n30 12 Slide down.\n");
    make_voice(4, " Climb up!\n");
    make_voice(30, " Slide down.\n");
    std::string report;
    EXPECT_EQ(run(report), STATUS_CLEAN) << report;
    EXPECT_NE(report.find("square30.wav  1.50 s        note up to date"), std::string::npos) << report;

    struct Case {
        const char *name;
        const char *path;
        std::string bytes;
        std::string problem;
    };
    const std::vector<Case> cases = {
        {"note edited after its voice", "./v/square30", " Slide down!\n",
         "./v/square30: does not hold the note of line 2 of ./v/v.config"},
        {"voice of another kind", "./v/square04.wav", riff(chunk("fmt ", fmt_body(3, 1, 8000, 32)) +
                                                           chunk("data", std::string(64, '\0'))),
         "./v/square04.wav: not a WAV the game can play: its encoding 3 is not one the mixer decodes"},
    };
    for (const Case &c : cases) {
        std::string kept = read_file(c.path);
        write_file(c.path, c.bytes);
        EXPECT_EQ(run(report), STATUS_PROBLEMS) << c.name;
        EXPECT_NE(report.find("  " + c.problem), std::string::npos) << c.name << "\n" << report;
        write_file(c.path, kept);
    }
    std::remove("./v/square04.wav");
    std::remove("./v/square30");
    EXPECT_EQ(run(report), STATUS_PROBLEMS);
    EXPECT_NE(report.find("  ./v/square04.wav: missing: run squarevox v again"), std::string::npos) << report;
    EXPECT_NE(report.find("  ./v/square30: missing: run squarevox v again"), std::string::npos) << report;
}

// A note of 77 accented letters is 154 bytes: its text file is compared whole.
TEST(BoardcheckReport, ANoteInTwoByteLettersIsUpToDate)
{
    enter_scratch_folder("boardcheck-greek");
    make_version();
    std::string note = " ";
    for (int i = 0; i < NOTE_TEXT_MAX; i++)
        note += "\xc3\xa9";
    note += "\n";
    write_file("./v/v.config", "4 25" + note + "30 12 Slide down.\n");
    write_file("./v/language", "fr\n");
    make_voice(4, note);
    make_voice(30, " Slide down.\n");
    std::string report;
    EXPECT_EQ(run(report), STATUS_CLEAN) << report;
    EXPECT_NE(report.find("square04.wav  1.50 s        note up to date"), std::string::npos) << report;
}

TEST(BoardcheckReport, ALongVoiceAndVoicesThatAreNoFilesAreNamed)
{
    enter_scratch_folder("boardcheck-longvoice");
    make_version();
    write_file("./v/v.config", "4 25 Climb up!\n30 12 Slide down.\n");
    make_voice(4, " Climb up!\n");
    make_voice(30, " Slide down.\n");
    write_file("./v/square04.wav", voice_wav(9000));
    std::string report;
    EXPECT_EQ(run(report), STATUS_CLEAN) << report; // a warning alone
    EXPECT_NE(report.find("Problems: none, warnings: 1\n  ./v/v.config:1: warning: the voice of "
                          "square 4 lasts 9.0 s and its slide 4.3 s, so the game waits up to 4.7 s"),
              std::string::npos)
        << report;

    std::remove("./v/square30.wav");
    std::filesystem::create_directory("./v/square30.wav");
    EXPECT_EQ(run(report), STATUS_PROBLEMS);
    EXPECT_NE(report.find("  ./v/square30.wav: not a WAV the game can play: "), std::string::npos)
        << report;
    std::filesystem::remove("./v/square30.wav");
    ASSERT_EQ(mkfifo("./v/square30.wav", 0600), 0);
    EXPECT_EQ(run(report), STATUS_PROBLEMS);
    EXPECT_NE(report.find("  ./v/square30.wav: not a WAV the game can play: "), std::string::npos)
        << report;
}

// A title file the menu cannot use is a problem, named as the game names it.
TEST(BoardcheckReport, ATitleTheMenuCannotUseIsAProblem)
{
    enter_scratch_folder("boardcheck-title");
    make_version();
    write_file("./v/v.config", "4 25 Climb up!\n30 12 Slide down.\n");
    write_file("./v/title", "The Big Climb\n");
    std::string report;
    EXPECT_EQ(run(report), STATUS_CLEAN) << report;
    write_file("./v/title", std::string(41, 'x') + "\n");
    EXPECT_EQ(run(report), STATUS_PROBLEMS);
    EXPECT_NE(report.find("  ./v/title: its first line has 41 characters, more than 40; the menu shows the "
                          "folder's name\n"),
              std::string::npos)
        << report;
}

TEST(BoardcheckReport, NoVersionFileIsAUsageError)
{
    enter_scratch_folder("boardcheck-none");
    std::ostringstream out, err;
    EXPECT_EQ(boardcheck("gone", out, err), STATUS_USAGE);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), std::string("Cannot open the version file ./gone/gone.config: missing\n") +
                             "boardcheck: " + version_folder_hint("gone") + "\n");
    EXPECT_NE(version_folder_hint("gone").find(std::filesystem::current_path().string()),
              std::string::npos);
}

TEST(BoardcheckReport, MissingFixedSoundsAreCountedAsSilent)
{
    enter_scratch_folder("boardcheck-fixed");
    write_file("./v/v.config", "4 25 Climb up!\n");
    std::string report;
    EXPECT_EQ(run(report), STATUS_CLEAN) << report;
    EXPECT_NE(report.find("  ./audio/player1.wav: missing; counted as 0 s"), std::string::npos) << report;
    EXPECT_NE(report.find("turn sounds       0.0 s"), std::string::npos) << report;
}

} // namespace
