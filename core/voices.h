// Which speech program and voice speak a language: one choice for every tool
// that makes a version's spoken sounds.
#pragma once

#include <string>

enum class SpeechProgram { NONE, FESTIVAL, ESPEAK };

struct SpeechVoice {
    SpeechProgram program = SpeechProgram::NONE;
    std::string voice;       // the espeak-ng voice ("fr", "pt-br"); empty for festival
    std::string description; // for the author: "festival, the English voice ...", "espeak-ng fr"
};

// English ("en" and any "en-..." tag) is festival with the voice its
// ~/.festivalrc selects, as always; any other language espeak-ng ships a voice
// for is that voice (the whole tag when espeak-ng knows it, else its first
// part: "fr-CA" speaks as "fr"); anything else has no voice (NONE).
SpeechVoice voice_for_language(const std::string &tag);
