// The sound guard: a WAV file's RIFF header against the mixer's loadable
// formats, and the sound's duration.
#include "wavguard.h"

#include "guards.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// The format tags of the encodings the mixer's WAV loader decodes into
// 16-bit samples; 24- and 32-bit PCM and float it refuses (mended: see
// QUIRKS.md, 'coded voices').
constexpr std::uint16_t FORMAT_PCM = 1;
constexpr std::uint16_t FORMAT_MS_ADPCM = 2;
constexpr std::uint16_t FORMAT_ALAW = 6;
constexpr std::uint16_t FORMAT_MULAW = 7;
constexpr std::uint16_t FORMAT_IMA_ADPCM = 0x11;
constexpr std::uint16_t FORMAT_EXTENSIBLE = 0xFFFE;
constexpr std::uint32_t FMT_MIN_SIZE = 16;
constexpr std::uint32_t FMT_EXTENSIBLE_SIZE = 40; // 16 + 2 + 22 of extension
// The loader reads no more of a "fmt " chunk than this: 22 bytes and 256
// MS ADPCM coefficient pairs.
constexpr std::uint32_t FMT_MAX_READ = 1046;
constexpr int MAX_CHANNELS = 8;
// The extensible format's sub-format: the format tag in the first two bytes
// of the GUID xxxxxxxx-0000-0010-8000-00AA00389B71.
constexpr unsigned char GUID_TAIL[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                         0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
// The seven coefficient pairs every MS ADPCM header begins with.
constexpr std::int16_t MS_ADPCM_PRESETS[14] = {256, 0,   512, -256, 0,   0,   192,
                                               64,  240, 0,   460, -208, 392, -232};
constexpr int MS_ADPCM_MAX_COEFFICIENTS = 256; // a block's predictor is one byte
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
    std::uint16_t encoding = 0; // the format tag, or the extensible sub-format's
    int channels = 0;
    std::uint32_t rate = 0;
    int block = 0;
    int bits = 0;
    std::uint32_t block_frames = 1; // sample frames per block
    int coefficients = 0;           // MS ADPCM: the predictors a block may name
};

std::string count_fault(const char *what, int count, const char *want)
{
    return "its " + std::string(what) + " " + std::to_string(count) + " is not " + want;
}

// A-law and mu-law: one byte per sample.
std::string check_law(const Format &format)
{
    if (format.bits != 8)
        return count_fault("companded sound has bits per sample", format.bits, "8");
    if (format.block != format.channels)
        return "its block size " + std::to_string(format.block) + " does not fit its channels";
    return std::string();
}

// MS ADPCM: a 7-byte header per channel in each block, the preset
// coefficients, and as many samples per block as the block holds.
std::string check_ms_adpcm(const unsigned char *body, std::uint32_t size, Format &format)
{
    if (format.channels > 2)
        return "its MS ADPCM has " + std::to_string(format.channels) + " channels, not 1 or 2";
    if (format.bits != 4)
        return count_fault("MS ADPCM has bits per sample", format.bits, "4");
    std::uint32_t header = 7u * std::uint32_t(format.channels);
    if (std::uint32_t(format.block) < header)
        return "its MS ADPCM block size " + std::to_string(format.block) + " is too small";
    if (size < 22)
        return "its MS ADPCM \"fmt \" chunk is too short";
    int coefficients = std::min<int>(le16(body + 20), MS_ADPCM_MAX_COEFFICIENTS);
    if (size < 22u + 4u * std::uint32_t(coefficients) || le16(body + 16) < 4 + 4 * coefficients)
        return "its MS ADPCM coefficients are cut short";
    if (coefficients < 7)
        return "its MS ADPCM header lacks the preset coefficients";
    for (int i = 0; i < 14; i++)
        if (std::int16_t(le16(body + 22 + 2 * i)) != MS_ADPCM_PRESETS[i])
            return "its MS ADPCM preset coefficients are wrong";
    std::uint32_t data_samples =
        (std::uint32_t(format.block) - header) * 8 / (4u * std::uint32_t(format.channels));
    std::uint32_t per_block = le16(body + 18);
    if (per_block == 0)
        per_block = data_samples + 2;
    if (per_block == 1 || data_samples + 2 < per_block)
        return "its MS ADPCM samples per block " + std::to_string(per_block) +
               " do not fit its block size";
    format.block_frames = per_block;
    format.coefficients = coefficients;
    return std::string();
}

// IMA ADPCM: a 4-byte header per channel, blocks of whole 4-byte words.
std::string check_ima_adpcm(const unsigned char *body, std::uint32_t size, bool extensible,
                            Format &format)
{
    if (format.bits != 4)
        return count_fault("IMA ADPCM has bits per sample", format.bits, "4");
    std::uint32_t header = 4u * std::uint32_t(format.channels);
    if (std::uint32_t(format.block) < header || format.block % 4 != 0)
        return "its IMA ADPCM block size " + std::to_string(format.block) + " does not fit";
    std::uint32_t per_block = 0;
    if (extensible || (size >= 20 && le16(body + 16) >= 2))
        per_block = le16(body + 18);
    std::uint32_t data_samples =
        (std::uint32_t(format.block) - header) * 8 / (4u * std::uint32_t(format.channels));
    if (per_block == 0)
        per_block = data_samples + 1;
    if (data_samples + 1 < per_block)
        return "its IMA ADPCM samples per block " + std::to_string(per_block) +
               " do not fit its block size";
    format.block_frames = per_block;
    return std::string();
}

// Checks a "fmt " chunk's body (at most FMT_MAX_READ bytes of `size`);
// returns the fault, empty when the mixer takes it.
std::string check_format(const unsigned char *body, std::uint32_t size, Format &format)
{
    if (size < FMT_MIN_SIZE)
        return "its \"fmt \" chunk is too short";
    std::uint16_t tag = format.encoding = le16(body);
    format.channels = le16(body + 2);
    format.rate = le32(body + 4);
    format.block = le16(body + 12);
    int bits = format.bits = le16(body + 14);
    bool extensible = tag == FORMAT_EXTENSIBLE;
    if (extensible) {
        // The extension's own size (22) must say that the sub-format is there.
        if (size < FMT_EXTENSIBLE_SIZE || le16(body + 16) < 22 ||
            std::memcmp(body + 26, GUID_TAIL, sizeof GUID_TAIL) != 0)
            return "its extensible format is not one the mixer decodes";
        format.encoding = le16(body + 24);
        if (format.encoding == FORMAT_MS_ADPCM)
            return "its extensible format holds MS ADPCM, which the mixer does not decode";
    }
    if (format.channels < 1 || format.channels > MAX_CHANNELS)
        return "it has " + std::to_string(format.channels) + " channels, not 1 to " +
               std::to_string(MAX_CHANNELS);
    if (format.rate < WAV_MIN_RATE || format.rate > WAV_MAX_RATE)
        return "its sample rate " + std::to_string(format.rate) + " Hz is not " +
               std::to_string(WAV_MIN_RATE) + " to " + std::to_string(WAV_MAX_RATE) + " Hz";
    switch (format.encoding) {
    case FORMAT_PCM:
        break;
    case FORMAT_ALAW:
    case FORMAT_MULAW:
        return check_law(format);
    case FORMAT_MS_ADPCM:
        return check_ms_adpcm(body, size, format);
    case FORMAT_IMA_ADPCM:
        return check_ima_adpcm(body, size, extensible, format);
    default:
        return "its encoding " + std::to_string(format.encoding) +
               " is not one the mixer decodes (PCM, A-law, mu-law, MS or IMA ADPCM)";
    }
    if (bits != 8 && bits != 16)
        return "its PCM has " + std::to_string(bits) + " bits, not 8 or 16";
    if (format.block != format.channels * (bits / 8))
        return "its block size " + std::to_string(format.block) + " does not fit its channels";
    return std::string();
}

// MS ADPCM: whether every whole block names a predictor of the header's.
bool predictors_known(const Format &format, const std::string &bytes, std::size_t start,
                      std::uint64_t blocks)
{
    for (std::uint64_t b = 0; b < blocks; b++)
        for (int c = 0; c < format.channels; c++)
            if (static_cast<unsigned char>(bytes[start + b * std::uint64_t(format.block) + c]) >=
                format.coefficients)
                return false;
    return true;
}

// The "data" chunk of `declared` bytes starting at `start`, in a file whose
// RIFF chunk ends at riff_end: inside the file and the RIFF chunk, and sound
// of a sane length.
WavInfo timed(const Format &format, std::uint32_t declared, std::size_t start,
              std::uint64_t riff_end, const std::string &bytes)
{
    std::size_t file_size = bytes.size();
    if (declared > file_size - start)
        return fault("its \"data\" chunk claims " + std::to_string(declared) +
                     " bytes but the file holds only " + std::to_string(file_size - start));
    if (std::uint64_t(start) + declared > riff_end)
        return fault("its \"data\" chunk reaches past the RIFF size");
    // A cut-short last block is not played.
    std::uint64_t blocks = declared / std::uint64_t(format.block);
    std::uint64_t frames = blocks * format.block_frames;
    if (frames == 0)
        return fault("its \"data\" chunk holds no sound");
    if (format.encoding == FORMAT_MS_ADPCM && !predictors_known(format, bytes, start, blocks))
        return fault("a block of its MS ADPCM names a predictor its header lacks");
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
            return timed(format, size, in.pos, riff_end, bytes);
        }
        if (id == "fmt " && !have_format) {
            std::array<unsigned char, FMT_MAX_READ> body{};
            std::uint32_t keep = std::min<std::uint32_t>(size, FMT_MAX_READ);
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
