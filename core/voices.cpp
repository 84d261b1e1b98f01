// The table of espeak-ng's languages and the choice of a language's voice.
#include "voices.h"

#include "language.h"

#include <array>
#include <cctype>

namespace {

// The language names espeak-ng 1.51 takes after -v, in lower case.
constexpr std::array<const char *, 121> ESPEAK_LANGUAGES = {
    "af", "am", "an", "ar", "as", "az", "ba", "be", "bg", "bn", "bpy", "bs", "ca", "cmn",
    "cmn-latn-pinyin", "cs", "cv", "cy", "da", "de", "el", "en", "eo", "es", "es-419", "et",
    "eu", "fa", "fa-latn", "fi", "fr", "fr-be", "fr-ch", "fr-fr", "ga", "gd", "gn", "grc", "gu",
    "hak", "haw", "he", "hi", "hr", "ht", "hu", "hy", "hyw", "ia", "id", "io", "is", "it", "ja",
    "jbo", "ka", "kk", "kl", "kn", "ko", "kok", "ku", "ky", "la", "lb", "lfn", "lt", "ltg", "lv",
    "mi", "mk", "ml", "mr", "ms", "mt", "my", "nb", "nci", "ne", "nl", "nog", "om", "or", "pa",
    "pap", "piqd", "pl", "pt", "pt-br", "py", "qdb", "qu", "quc", "qya", "ro", "ru", "ru-lv",
    "sd", "shn", "si", "sjn", "sk", "sl", "smj", "sq", "sr", "sv", "sw", "ta", "te", "th", "tk",
    "tn", "tr", "tt", "ug", "uk", "ur", "uz", "vi", "yue",
};

bool espeak_knows(const std::string &name)
{
    for (const char *known : ESPEAK_LANGUAGES)
        if (name == known)
            return true;
    return false;
}

} // namespace

SpeechVoice voice_for_language(const std::string &tag)
{
    std::string lower;
    for (char ch : tag)
        lower += char(std::tolower(static_cast<unsigned char>(ch)));
    std::string primary = primary_language(tag);
    SpeechVoice voice;
    if (primary == "en") {
        voice.program = SpeechProgram::FESTIVAL;
        voice.description = "festival, the English voice its .festivalrc selects";
        voice.pitch_cents = FESTIVAL_PITCH_CENTS;
        return voice;
    }
    std::string name = espeak_knows(lower) ? lower : espeak_knows(primary) ? primary : "";
    if (name.empty() || primary.empty())
        return voice;
    voice.program = SpeechProgram::ESPEAK;
    voice.voice = name;
    voice.description = "espeak-ng " + name;
    return voice;
}
