// The checker's report on small versions made here: the record problems, the
// voices, the WAV check (against the game's own mixer) and the exit statuses.
#include "report.h"
#include "wavguard.h"

#include "support.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
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
    }
    WavInfo missing = check_wav_file("nothing.wav");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.fault, "missing");
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::vector<std::string> problems_of(const std::string &text)
{
    VersionFile file = parse_version_text(text, "./v/v.config");
    return record_problems(file, "./v/v.config");
}

TEST(BoardcheckReport, RecordProblemsNameFileAndLine)
{
    struct Case {
        const char *name;
        std::string text;
        std::vector<std::string> starts; // each problem's beginning, in order
    };
    const std::vector<Case> cases = {
        {"a clean board", "4 25 up\n19 2 down\n", {}},
        {"a square that starts two records", "4 25 up\n30 12 x\n4 40 again\n",
         {"./v/v.config:3: square 4 already starts the record of line 1"}},
        {"start on 0 and on 99", "0 40 never\n99 3 never\n",
         {"./v/v.config:1: the record starts on square 0", "./v/v.config:2: the record starts on square 99"}},
        {"equal squares", "\n\n7 7 stay\n", {"./v/v.config:3: the record goes from square 7 to itself"}},
        {"a ladder onto a chute", "4 30 up\n30 12 down\n",
         {"./v/v.config:1: the ladder from 4 ends on square 30, where the record of line 2 starts"}},
        {"a chute onto a ladder named by its later record", "50 4 down\n4 9 a\n4 20 b\n",
         {"./v/v.config:1: the chute from 50 ends on square 4, where the record of line 3 starts",
          "./v/v.config:3: square 4 already starts"}},
        {"a ladder to 99 where a record starts", "90 99 win\n99 5 x\n",
         {"./v/v.config:2: the record starts on square 99"}},
        {"malformed lines come first, in the reader's words", "4 25 up\nx 3 bad\n4 9 again\n",
         {"./v/v.config:2: the start square \"x\" is not a number; line skipped",
          "./v/v.config:3: square 4 already starts"}},
    };
    for (const Case &c : cases) {
        std::vector<std::string> got = problems_of(c.text);
        ASSERT_EQ(got.size(), c.starts.size()) << c.name << (got.empty() ? "" : ": " + got[0]);
        for (std::size_t i = 0; i < got.size(); i++)
            EXPECT_EQ(got[i].rfind(c.starts[i], 0), 0u) << c.name << ": " << got[i];
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
         "./v/square04.wav: not a WAV the game can play: its encoding 3 is not PCM"},
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

TEST(BoardcheckReport, NoVersionFileIsAUsageError)
{
    enter_scratch_folder("boardcheck-none");
    std::ostringstream out, err;
    EXPECT_EQ(boardcheck("gone", out, err), STATUS_USAGE);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "Cannot open the version file ./gone/gone.config\n");
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
