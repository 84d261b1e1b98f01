// The sound guard: a WAV file's RIFF header against the mixer's loadable
// formats, and the sound's duration.
#include "wavguard.h"

#include "guards.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint16_t FORMAT_PCM = 1;
constexpr std::uint16_t FORMAT_EXTENSIBLE = 0xFFFE;
constexpr std::uint32_t FMT_MIN_SIZE = 16;
constexpr std::uint32_t FMT_EXTENSIBLE_SIZE = 40; // 16 + 2 + 22 of extension
constexpr int MAX_CHANNELS = 8;
// The extensible format's PCM sub-format: the GUID 00000001-0000-0010-8000-00AA00389B71.
constexpr unsigned char PCM_GUID[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                        0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr int MAX_CHUNKS = 1000; // a chunk list this long is not a sound file

std::uint32_t le32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char *p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

// A reading position in the file's bytes.
struct Bytes {
    const std::string &all;
    std::size_t pos = 0;
};

bool read_bytes(Bytes &in, unsigned char *buffer, std::size_t count)
{
    if (in.all.size() - in.pos < count)
        return false;
    std::memcpy(buffer, in.all.data() + in.pos, count);
    in.pos += count;
    return true;
}

// Steps over `count` bytes; false when the file ends first.
bool skip_bytes(Bytes &in, std::uint64_t count)
{
    if (in.all.size() - in.pos < count)
        return false;
    in.pos += std::size_t(count);
    return true;
}

WavInfo fault(const std::string &why)
{
    WavInfo info;
    info.found = true;
    info.fault = why;
    return info;
}

struct Format {
    int channels = 0;
    std::uint32_t rate = 0;
    int block = 0;
    int bits = 0;
};

// Checks a "fmt " chunk's body; returns the fault, empty when the mixer takes it.
std::string check_format(const unsigned char *body, std::uint32_t size, Format &format)
{
    if (size < FMT_MIN_SIZE)
        return "its \"fmt \" chunk is too short";
    std::uint16_t tag = le16(body);
    format.channels = le16(body + 2);
    format.rate = le32(body + 4);
    format.block = le16(body + 12);
    int bits = format.bits = le16(body + 14);
    if (tag == FORMAT_EXTENSIBLE) {
        // The extension's own size (22) must say that the sub-format is there.
        if (size < FMT_EXTENSIBLE_SIZE || le16(body + 16) < 22 || std::memcmp(body + 24, PCM_GUID, sizeof PCM_GUID) != 0)
            return "its extensible format is not PCM";
    } else if (tag != FORMAT_PCM) {
        return "its encoding " + std::to_string(tag) + " is not PCM";
    }
    if (bits != 8 && bits != 16)
        return "its PCM has " + std::to_string(bits) + " bits, not 8 or 16";
    if (format.channels < 1 || format.channels > MAX_CHANNELS)
        return "it has " + std::to_string(format.channels) + " channels, not 1 to " +
               std::to_string(MAX_CHANNELS);
    if (format.rate < WAV_MIN_RATE || format.rate > WAV_MAX_RATE)
        return "its sample rate " + std::to_string(format.rate) + " Hz is not " +
               std::to_string(WAV_MIN_RATE) + " to " + std::to_string(WAV_MAX_RATE) + " Hz";
    if (format.block != format.channels * (bits / 8))
        return "its block size " + std::to_string(format.block) + " does not fit its channels";
    return std::string();
}

// The "data" chunk of `declared` bytes starting at `start`, in a file whose
// RIFF chunk ends at riff_end: inside the file and the RIFF chunk, and sound
// of a sane length.
WavInfo timed(const Format &format, std::uint32_t declared, std::size_t start,
              std::uint64_t riff_end, std::size_t file_size)
{
    if (declared > file_size - start)
        return fault("its \"data\" chunk claims " + std::to_string(declared) +
                     " bytes but the file holds only " + std::to_string(file_size - start));
    if (std::uint64_t(start) + declared > riff_end)
        return fault("its \"data\" chunk reaches past the RIFF size");
    std::uint64_t frames = declared / std::uint64_t(format.block);
    if (frames == 0)
        return fault("its \"data\" chunk holds no sound");
    WavInfo info;
    info.found = true;
    info.channels = format.channels;
    info.rate = format.rate;
    info.bits = format.bits;
    info.ms = double(frames) * 1000.0 / double(format.rate);
    if (info.ms > WAV_MAX_MS) {
        info.fault = "it lasts longer than " + std::to_string(int(WAV_MAX_MS / 60000)) + " minutes";
        info.ms = 0;
        return info;
    }
    info.playable = true;
    return info;
}

} // namespace

WavInfo check_wav_bytes(const std::string &bytes)
{
    Bytes in{bytes};
    std::array<unsigned char, 12> head{};
    if (!read_bytes(in, head.data(), head.size()) || std::string(head.begin(), head.begin() + 4) != "RIFF" ||
        std::string(head.begin() + 8, head.end()) != "WAVE")
        return fault("it is not a RIFF WAVE file");
    // The RIFF size counts from the "WAVE" on; the mixer looks for chunks
    // only within it.
    std::uint64_t riff_end = std::uint64_t(le32(head.data() + 4)) + 8;
    if (riff_end > bytes.size())
        return fault("its RIFF size " + std::to_string(riff_end - 8) + " claims more than the file holds");
    Format format;
    bool have_format = false;
    for (int chunk = 0; chunk < MAX_CHUNKS; chunk++) {
        std::array<unsigned char, 8> header{};
        if (!read_bytes(in, header.data(), header.size()))
            return fault(have_format ? "it has no \"data\" chunk" : "it has no \"fmt \" chunk");
        std::string id(reinterpret_cast<const char *>(header.data()), 4);
        std::uint32_t size = le32(header.data() + 4);
        std::uint32_t pad = size & 1; // chunks are padded to an even length
        if (id == "data") {
            if (!have_format)
                return fault("its \"data\" chunk comes before its \"fmt \" chunk");
            return timed(format, size, in.pos, riff_end, bytes.size());
        }
        if (id == "fmt " && !have_format) {
            std::array<unsigned char, FMT_EXTENSIBLE_SIZE> body{};
            std::uint32_t keep = std::min<std::uint32_t>(size, FMT_EXTENSIBLE_SIZE);
            if (!read_bytes(in, body.data(), keep))
                return fault("its \"fmt \" chunk is cut short");
            std::string why = check_format(body.data(), size, format);
            if (!why.empty())
                return fault(why);
            have_format = true;
            size -= keep;
        }
        if (!skip_bytes(in, std::uint64_t(size) + pad))
            return fault("a chunk is cut short");
    }
    return fault("it has too many chunks");
}

WavInfo check_wav_file(const std::string &path, std::string &bytes)
{
    FileRead file = read_regular_file(path, SOUND_FILE_MAX_BYTES);
    bytes.clear();
    if (file.missing) {
        WavInfo info;
        info.fault = file.fault;
        return info;
    }
    if (!file.ok)
        return fault(file.fault);
    bytes.swap(file.bytes);
    return check_wav_bytes(bytes);
}

WavInfo check_wav_file(const std::string &path)
{
    std::string bytes;
    return check_wav_file(path, bytes);
}
