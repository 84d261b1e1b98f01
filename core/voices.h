// Which speech program and voice speak a language: one choice for every tool
// that makes a version's spoken sounds.
#pragma once

#include <string>

enum class SpeechProgram { NONE, FESTIVAL, ESPEAK };

struct SpeechVoice {
    SpeechProgram program = SpeechProgram::NONE;
    std::string voice;       // the espeak-ng voice ("fr", "pt-br"); empty for festival
    std::string description; // for the author: "festival, the English voice ...", "espeak-ng fr"
    int pitch_cents = 0;     // how far the speech is shifted in pitch as it is converted
};

// A board's words in festival's English voice are heard more clearly a
// little lower: the recogniser of tools/voice_wer.py misheard the shipped
// boards' notes 10.7 % of the words as festival speaks them, 7.1 % three
// semitones lower.
constexpr int FESTIVAL_PITCH_CENTS = -300;

// English ("en" and any "en-..." tag) is festival with the voice its
// ~/.festivalrc selects, as always, lowered by FESTIVAL_PITCH_CENTS; any
// other language espeak-ng ships a voice for is that voice (the whole tag
// when espeak-ng knows it, else its first part: "fr-CA" speaks as "fr");
// anything else has no voice (NONE).
SpeechVoice voice_for_language(const std::string &tag);
