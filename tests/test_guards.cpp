// The file guards against what is not a regular file or is too large, the
// sound and picture guards against files their loaders mishandle, the
// game's use of them, and the paths of a version's files.
#include "guards.h"
#include "paths.h"
#include "records.h"
#include "sound.h"
#include "wavguard.h"
#include "xpmguard.h"

#include "support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string le(std::uint32_t v, int bytes)
{
    std::string s;
    for (int i = 0; i < bytes; i++)
        s += char(v >> (8 * i) & 0xFF);
    return s;
}

std::string chunk(const std::string &id, const std::string &body, std::uint32_t claimed = 0)
{
    return id + le(claimed ? claimed : std::uint32_t(body.size()), 4) + body +
           (body.size() % 2 ? "\0" : "");
}

std::string fmt(unsigned tag, unsigned channels, std::uint32_t rate, unsigned bits)
{
    unsigned block = channels * bits / 8;
    return chunk("fmt ", le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * block, 4) +
                             le(block, 2) + le(bits, 2));
}

std::string extensible(unsigned channels, unsigned bits, const std::string &guid)
{
    unsigned block = channels * bits / 8;
    return chunk("fmt ", le(0xFFFE, 2) + le(channels, 2) + le(8000, 4) + le(8000 * block, 4) +
                             le(block, 2) + le(bits, 2) + le(22, 2) + le(bits, 2) + le(0, 4) +
                             guid + std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14));
}

// A "fmt " chunk of a block-coded encoding: the 16 common bytes, then `extra`.
std::string coded(unsigned tag, unsigned channels, unsigned block, unsigned bits,
                  const std::string &extra)
{
    return chunk("fmt ", le(tag, 2) + le(channels, 2) + le(8000, 4) + le(8000 * block, 4) +
                             le(block, 2) + le(bits, 2) + extra);
}

// MS ADPCM's extra bytes: samples per block, then `pairs` coefficient pairs,
// the presets first (the first one spoilt when `spoil`).
std::string ms_extra(unsigned per_block, unsigned pairs, bool spoil = false)
{
    const int presets[14] = {256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232};
    std::string coefficients;
    for (unsigned i = 0; i < 2 * pairs; i++)
        coefficients += le(std::uint32_t(i < 14 ? presets[i] + (spoil && i == 0) : 0), 2);
    return le(4 + 4 * pairs, 2) + le(per_block, 2) + le(pairs, 2) + coefficients;
}

std::string extensible_coded(unsigned channels, unsigned block, unsigned bits, unsigned tag,
                             unsigned per_block)
{
    return coded(0xFFFE, channels, block, bits,
                 le(22, 2) + le(per_block, 2) + le(0, 4) + le(tag, 2) +
                     std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14));
}

std::string wav(const std::string &chunks, int riff_delta = 0)
{
    return "RIFF" + le(std::uint32_t(4 + chunks.size() + riff_delta), 4) + "WAVE" + chunks;
}

TEST(WavGuard, StructureHeldToTheFile)
{
    const std::string pcm16 = fmt(1, 2, 44100, 16), sound(400, '\x11');
    const std::string data = chunk("data", sound);
    // Two ADPCM blocks of 256 bytes, naming predictor 0, or 7 in the second.
    const std::string zeros = chunk("data", std::string(512, '\0'));
    const std::string past = chunk("data", std::string(256, '\0') + '\x07' + std::string(255, '\0'));
    struct Case {
        const char *name;
        std::string bytes;
        const char *fault; // empty: playable
        double ms;
    } cases[] = {
        // Playable, as sox and festival write them.
        {"16-bit stereo", wav(pcm16 + data), "", 100 * 1000.0 / 44100},
        {"8-bit mono, odd data padded", wav(fmt(1, 1, 1000, 8) + chunk("data", sound + "x")), "", 401},
        {"a LIST chunk first", wav(pcm16 + chunk("LIST", "INFO") + data), "", 100 * 1000.0 / 44100},
        {"bytes after the RIFF chunk", wav(pcm16 + data) + "tail", "", 100 * 1000.0 / 44100},
        {"extensible PCM with data", wav(extensible(2, 16, std::string("\x01\0", 2)) + data), "", 12.5},
        // Other formats never reach the mixer's loaders for them.
        {"AIFF short header", "FORM\0\0\0\x2e" "AIFFCOMM\0\0\0\x12\0\x01", "not a RIFF WAVE", 0},
        {"AIFF chunk stepping back", std::string("FORM\0\0\0\x10" "AIFFJUNK\xff\xff\xff\xf8", 16),
         "not a RIFF WAVE", 0},
        {"VOC", "Creative Voice File\x1a\x1a\0", "not a RIFF WAVE", 0},
        {"Ogg", "OggS\0\x02", "not a RIFF WAVE", 0},
        {"empty file", "", "not a RIFF WAVE", 0},
        // Every other encoding the mixer decodes, with its own header checks.
        {"mu-law stereo", wav(fmt(7, 2, 8000, 8) + data), "", 25},
        {"A-law mono", wav(fmt(6, 1, 8000, 8) + data), "", 50},
        {"extensible mu-law", wav(extensible(1, 8, std::string("\x07\0", 2)) + data), "", 50},
        {"mu-law of 16 bits", wav(fmt(7, 1, 8000, 16) + data), "bits per sample 16 is not 8", 0},
        {"A-law, block of 2 for 1 channel", wav(coded(6, 1, 2, 8, "") + data), "block size 2", 0},
        {"MS ADPCM, 2 blocks", wav(coded(2, 1, 256, 4, ms_extra(500, 7)) + zeros), "", 125},
        {"MS ADPCM, samples per block unset", wav(coded(2, 1, 256, 4, ms_extra(0, 7)) + zeros), "", 125},
        {"MS ADPCM stereo", wav(coded(2, 2, 256, 4, ms_extra(244, 7)) + zeros), "", 61},
        {"MS ADPCM, 3 channels", wav(coded(2, 3, 256, 4, ms_extra(100, 7)) + zeros), "3 channels, not 1 or 2", 0},
        {"MS ADPCM of 8 bits", wav(coded(2, 1, 256, 8, ms_extra(100, 7)) + zeros), "bits per sample 8", 0},
        {"MS ADPCM block under its header", wav(coded(2, 2, 13, 4, ms_extra(2, 7)) + zeros), "block size 13", 0},
        {"MS ADPCM, 6 coefficients", wav(coded(2, 1, 256, 4, ms_extra(500, 6)) + zeros), "lacks the preset", 0},
        {"MS ADPCM, a wrong preset", wav(coded(2, 1, 256, 4, ms_extra(500, 7, true)) + zeros), "preset coefficients are wrong", 0},
        {"MS ADPCM, coefficients cut short", wav(coded(2, 1, 256, 4, ms_extra(500, 7).substr(0, 30))) + zeros, "cut short", 0},
        {"MS ADPCM, too many samples per block", wav(coded(2, 1, 256, 4, ms_extra(501, 7)) + zeros), "samples per block 501", 0},
        {"MS ADPCM, one sample per block", wav(coded(2, 1, 256, 4, ms_extra(1, 7)) + zeros), "samples per block 1 ", 0},
        {"MS ADPCM, a predictor past the header's", wav(coded(2, 1, 256, 4, ms_extra(500, 7)) + past), "names a predictor", 0},
        {"MS ADPCM, less than a block", wav(coded(2, 1, 1024, 4, ms_extra(2036, 7)) + zeros), "holds no sound", 0},
        {"MS ADPCM, extensible", wav(extensible_coded(1, 256, 4, 2, 500) + zeros), "holds MS ADPCM", 0},
        {"IMA ADPCM, 2 blocks", wav(coded(0x11, 1, 256, 4, le(2, 2) + le(505, 2)) + zeros), "", 126.25},
        {"IMA ADPCM, no samples per block", wav(coded(0x11, 1, 256, 4, "") + zeros), "", 126.25},
        {"IMA ADPCM, extensible", wav(extensible_coded(2, 256, 4, 0x11, 249) + zeros), "", 62.25},
        {"IMA ADPCM of 3 bits", wav(coded(0x11, 1, 256, 3, "") + zeros), "bits per sample 3 is not 4", 0},
        {"IMA ADPCM, block not of words", wav(coded(0x11, 1, 258, 4, "") + zeros), "block size 258", 0},
        {"IMA ADPCM, too many samples per block", wav(coded(0x11, 1, 256, 4, le(2, 2) + le(506, 2)) + zeros), "samples per block 506", 0},
        // Formats the guard does not pass: the mixer refuses them too.
        {"extensible float", wav(extensible(2, 16, std::string("\x03\0", 2)) + data), "encoding 3 is not one", 0},
        {"float", wav(fmt(3, 1, 8000, 32) + data), "encoding 3 is not one", 0},
        {"GSM", wav(coded(0x31, 1, 65, 0, "") + data), "encoding 49 is not one", 0},
        {"24 bits", wav(fmt(1, 1, 8000, 24) + data), "has 24 bits", 0},
        {"9 channels", wav(fmt(1, 9, 8000, 8) + data), "9 channels", 0},
        {"0 channels", wav(fmt(1, 0, 8000, 8) + data), "0 channels", 0},
        {"rate 999 Hz", wav(fmt(1, 1, 999, 8) + data), "sample rate 999 Hz", 0},
        {"rate 192001 Hz", wav(fmt(1, 1, 192001, 8) + data), "sample rate 192001 Hz", 0},
        {"data before fmt", wav(data + pcm16), "comes before", 0},
        // Sizes that do not fit the file.
        {"data claims more", wav(pcm16 + chunk("data", sound, 100000)),
         "claims 100000 bytes but the file holds only 400", 0},
        {"RIFF size past the file", wav(pcm16 + data, 2), "RIFF size 438 claims more", 0},
        {"RIFF size short of the data", wav(pcm16 + data, -2), "reaches past the RIFF size", 0},
        {"empty data", wav(pcm16 + chunk("data", "")), "holds no sound", 0},
        {"over 10 minutes", wav(fmt(1, 1, 1000, 8) + chunk("data", std::string(600001, '\x80'))),
         "longer than 10 minutes", 0},
    };
    for (const Case &c : cases) {
        WavInfo got = check_wav_bytes(c.bytes);
        EXPECT_EQ(got.playable, c.fault[0] == '\0') << c.name << ": " << got.fault;
        EXPECT_NE(got.fault.find(c.fault), std::string::npos) << c.name << ": " << got.fault;
        EXPECT_NEAR(got.ms, c.ms, 1e-6) << c.name;
    }
}

TEST(WavGuard, EveryShippedSoundPasses)
{
    std::vector<std::string> sounds;
    for (const char *name : {"player1", "player2", "player3", "player4", "win1", "win2", "win3",
                             "win4", "ambient_-tolvik-57"})
        sounds.push_back(data_folder() + "/audio/" + name + ".wav");
    for (int n = 0; n <= 99; n++) {
        std::string voice = data_folder() + square_sound_path("mivo", n).substr(1);
        if (regular_file_fault(voice).empty())
            sounds.push_back(voice);
    }
    EXPECT_EQ(sounds.size(), 9u + 18u);
    for (const std::string &sound : sounds)
        EXPECT_TRUE(check_wav_file(sound).playable) << sound << ": " << check_wav_file(sound).fault;
}

std::string xpm(const std::string &header, const std::string &strings)
{
    return "/* XPM */\nstatic char *p[] = {\n\"" + header + "\",\n" + strings + "};\n";
}

TEST(XpmGuard, HeaderHeldToTheStrings)
{
    const std::string colours = "\". c #FF0000\",\n\"  c None\",\n";
    struct Case {
        const char *name;
        std::string bytes;
        const char *fault; // empty: passed to the loader
    } cases[] = {
        {"4 x 2", xpm("4 2 2 1", colours + "\". ..\",\n\"....\"\n"), ""},
        {"hotspot, 2 characters a pixel", xpm("2 1 2 2 0 0", "\"aa c #000\",\n\"bb s x c red\",\n\"aabb\"\n"), ""},
        {"not XPM", "P1 2 2\n0 1 1 0\n", "not an XPM picture"},
        {"more rows than held", xpm("4 9 2 1", colours + "\"....\",\n\"....\"\n"),
         "declares 9 rows but holds 2"},
        {"more colours than held", xpm("4 2 5 1", colours + "\"....\",\n\"....\"\n"), "colour 3"},
        {"colours and nothing after", xpm("4 2 5 1", colours), "declares 5 colours but holds 2"},
        {"short row", xpm("4 2 2 1", colours + "\"...\",\n\"....\"\n"), "row 1 does not hold 4"},
        {"long row", xpm("4 1 2 1", colours + "\".....\"\n"), "row 1 does not hold 4"},
        {"pixel of no colour", xpm("4 1 2 1", colours + "\"..x.\"\n"), "row 1 has a pixel of no colour"},
        {"last row at the very end", "/* XPM */\"1 1 1 1\"\". c #000\"\".\"", "declares 1 rows but holds 0"},
        {"4097 wide", xpm("4097 1 2 1", colours), "each side must be 1 to 4096"},
        {"0 high", xpm("4 0 2 1", colours), "4 x 0 pixels"},
        {"70000 colours", xpm("4 1 70000 1", colours), "70000 colours"},
        {"5 characters a pixel", xpm("4 1 2 5", colours), "5 characters per pixel"},
        {"10-digit width", xpm("4294967297 1 2 1", colours), "is not width, height"},
        {"header of three", xpm("4 1 2", colours), "is not width, height"},
        {"colour key only", xpm("1 1 1 2", "\"ab\",\n\"ab\"\n"), "colour 1 \"ab\" is not a key"},
        {"colour #12345", xpm("1 1 1 1", "\". c #12345\",\n\".\"\n"), "is not a key and a colour"},
        {"symbolic name only", xpm("1 1 1 1", "\". s edge\",\n\".\"\n"), "is not a key and a colour"},
    };
    for (const Case &c : cases) {
        XpmCheck got = check_xpm_bytes(c.bytes);
        EXPECT_EQ(got.ok, c.fault[0] == '\0') << c.name << ": " << got.fault;
        EXPECT_NE(got.fault.find(c.fault), std::string::npos) << c.name << ": " << got.fault;
    }
    std::string bytes;
    XpmCheck chute = check_xpm_file(data_folder() + "/chute1.xpm", bytes);
    EXPECT_TRUE(chute.ok && chute.width == 20 && chute.height == 40) << chute.fault;
    EXPECT_FALSE(check_xpm_file("/nonexistent.xpm", bytes).found);
}

// A sound the game cannot use is a missing one, said on standard error with
// the file and the reason; a plainly missing one is silent as it always was.
TEST(SoundLoader, UnusableSoundsPlayOnInSilence)
{
    enter_scratch_folder("guards-sound");
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024), 0) << SDL_GetError();
    ASSERT_EQ(mkfifo("fifo.wav", 0644), 0);
    mkdir("folder.wav", 0755);
    write_file("aiff.wav", "FORM\0\0\0\x2e" "AIFFCOMM\0\0\0\x12\0\x01");
    write_file("good.wav", wav(fmt(1, 2, 44100, 16) + chunk("data", std::string(400, '\0'))));
    const std::string blocks = chunk("data", std::string(512, '\0'));
    write_file("mulaw.wav", wav(fmt(7, 1, 8000, 8) + blocks));
    write_file("msadpcm.wav", wav(coded(2, 2, 256, 4, ms_extra(244, 7)) + blocks));
    write_file("imaadpcm.wav", wav(extensible_coded(1, 256, 4, 0x11, 505) + blocks));
    struct Case {
        const char *path;
        bool loads;
        const char *said;
    } cases[] = {
        {"good.wav", true, ""},
        {"mulaw.wav", true, ""},
        {"msadpcm.wav", true, ""},
        {"imaadpcm.wav", true, ""},
        {"absent.wav", false, ""},
        {"fifo.wav", false, "Cannot use the sound fifo.wav: it is a FIFO (named pipe), not a file\n"},
        {"folder.wav", false, "Cannot use the sound folder.wav: it is a folder, not a file\n"},
        {"aiff.wav", false, "Cannot use the sound aiff.wav: it is not a RIFF WAVE file\n"},
    };
    for (const Case &c : cases) {
        testing::internal::CaptureStderr();
        Mix_Chunk *sound = load_sound(c.path);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.said) << c.path;
        EXPECT_EQ(sound != nullptr, c.loads) << c.path;
        if (sound != nullptr)
            Mix_FreeChunk(sound);
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

TEST(FileGuard, OnlyWholeRegularFilesOfBoundedSize)
{
    enter_scratch_folder("guards");
    write_file("small", "12345");
    write_file("empty", "");
    mkdir("folder", 0755);
    ASSERT_EQ(mkfifo("fifo", 0644), 0); // no writer: opening it must not wait
    ASSERT_EQ(symlink("/dev/zero", "endless"), 0);
    ASSERT_EQ(symlink("small", "link"), 0);
    ASSERT_EQ(symlink("nowhere", "dangling"), 0);
    struct Case {
        const char *path;
        std::size_t max;
        bool ok;
        const char *fault;
    } cases[] = {
        {"small", 5, true, ""},
        {"empty", 5, true, ""},
        {"link", 5, true, ""},
        {"small", 4, false, "it is larger than 4 bytes"},
        {"absent", 5, false, "missing"},
        {"dangling", 5, false, "missing"},
        {"absent/deeper", 5, false, "missing"},
        {"folder", 5, false, "it is a folder, not a file"},
        {"fifo", 5, false, "it is a FIFO (named pipe), not a file"},
        {"endless", 5, false, "it is a device, not a file"},
    };
    for (const Case &c : cases) {
        FileRead got = read_regular_file(c.path, c.max);
        EXPECT_EQ(got.ok, c.ok) << c.path;
        EXPECT_EQ(got.fault, c.fault) << c.path;
        EXPECT_EQ(got.missing, std::string(c.fault) == "missing") << c.path;
        EXPECT_EQ(regular_file_fault(c.path), c.max == 4 ? "" : c.fault) << c.path;
    }
    EXPECT_EQ(read_regular_file("small", 5).bytes, "12345");
}

TEST(FileGuard, VersionFilesAreRefusedWithTheirFault)
{
    enter_scratch_folder("guards-version");
    mkdir("v", 0755);
    ASSERT_EQ(symlink("/dev/zero", "v/v.config"), 0);
    VersionFile device = read_version_file(version_config_path("v"));
    EXPECT_FALSE(device.opened);
    EXPECT_EQ(device.fault, "it is a device, not a file");
    write_file("big/big.config", std::string(VERSION_FILE_MAX_BYTES + 1, '\n'));
    EXPECT_EQ(read_version_file(version_config_path("big")).fault,
              "it is larger than 1048576 bytes");
}

TEST(VersionPaths, NamesAsShellCompletionWritesThem)
{
    struct Case {
        const char *arg, *name;
    } cases[] = {{"mivo", "mivo"}, {"mivo/", "mivo"}, {"mivo//", "mivo"},
                 {"boards/mivo/", "boards/mivo"}, {"/", "/"}, {"", ""}};
    for (const Case &c : cases)
        EXPECT_EQ(version_name(c.arg), c.name) << '"' << c.arg << '"';
    EXPECT_EQ(square_text_path("v", 7), "./v/square07");
    EXPECT_EQ(square_sound_path("v", 42), "./v/square42.wav");
    EXPECT_EQ(square_text_path("v", 0), "./v/square00");
}

TEST(VersionPaths, FilesOfARunNameTheirProcess)
{
    enter_scratch_folder("guards-run-files");
    struct Case {
        const char *name;
        long kept, temporary; // the PID each lookup finds, 0: not found
    } cases[] = {
        {".square04.old-12", 12, 0},           {".square04.new-34-abcdef.wav", 0, 34},
        {".square04.old-12-abcdef", 0, 0},     {".square04.new-abcdef.wav", 0, 0},
        {".square04.new-+9-abcdef", 0, 0},     {".square40.new-9-abcdef", 0, 0},
    };
    for (const Case &c : cases) {
        std::filesystem::remove_all("v");
        write_file(std::string("v/") + c.name, "");
        std::vector<RunFile> kept = square_kept_texts("v", 4), temporaries = square_temporaries("v", 4);
        EXPECT_EQ(kept.empty() ? 0 : kept.front().pid, c.kept) << c.name;
        EXPECT_EQ(temporaries.empty() ? 0 : temporaries.front().pid, c.temporary) << c.name;
    }
    // What create_temporary makes is found under this process.
    std::filesystem::remove_all("v");
    mkdir("v", 0755);
    std::string made;
    close(create_temporary(square_sound_path("v", 4), "square04", ".wav", made));
    std::vector<RunFile> found = square_temporaries("v", 4);
    ASSERT_EQ(found.size(), 1u) << made;
    EXPECT_EQ(found.front().path + " " + std::to_string(found.front().pid),
              made + " " + std::to_string(getpid()));
}

} // namespace
