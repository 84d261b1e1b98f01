// What the game says under --speak: the number words, the phrases with their
// clips, where a clip is looked for, and the shipped English clips.
#include "sayings.h"

#include "wavguard.h"

#include "support.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

TEST(Sayings, NumberWords)
{
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "zero"},    {7, "seven"},      {10, "ten"},         {13, "thirteen"},
        {19, "nineteen"}, {20, "twenty"},  {21, "twenty-one"},  {45, "forty-five"},
        {90, "ninety"}, {99, "ninety-nine"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(number_words(c.first), c.second) << c.first;
}

TEST(Sayings, PhrasesAndTheirClips)
{
    struct Case {
        const char *name;
        Phrase phrase;
        std::string text;
        std::vector<std::string> clips;
    };
    const std::vector<Case> cases = {
        {"turn", phrase_turn(0, "en"), "Player 1, roll the die", {"player", "number01", "roll"}},
        {"roll", phrase_number(4, "en"), "four", {"number04"}},
        {"square", phrase_square(27, "en"), "square twenty-seven", {"square", "number27"}},
        {"ladder", phrase_landing(4, 45, "en"), "climbs to forty-five", {"climbs", "number45"}},
        {"chute", phrase_landing(47, 12, "en"), "slides down to twelve", {"slides", "number12"}},
        {"win", phrase_win(1, "en"), "Player 2 wins", {"player", "number02", "wins"}},
        {"positions", phrase_positions({12, 30}, "en"),
         "Player 1 on square twelve, Player 2 on square thirty",
         {"player", "number01", "on_square", "number12", "player", "number02", "on_square",
          "number30"}},
        {"square 0", phrase_square(0, "en"), "square zero", {"square", "number00"}},
        {"unknown language speaks English", phrase_square(99, "xx"), "square ninety-nine",
         {"square", "number99"}},
        {"French prints digits", phrase_landing(47, 12, "fr"), "descend à 12",
         {"slides", "number12"}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.phrase.text, c.text) << c.name;
        EXPECT_EQ(c.phrase.clips, c.clips) << c.name;
    }
}

// Every tag of two or three letters the game has words for: the languages
// of its table, found without a second list of them here.
std::vector<std::string> known_languages()
{
    std::vector<std::string> known;
    std::string tag;
    auto probe = [&](auto &self, std::size_t length) -> void {
        if (tag.size() == length) {
            if (say_language_known(tag))
                known.push_back(tag);
            return;
        }
        for (char letter = 'a'; letter <= 'z'; letter++) {
            tag.push_back(letter);
            self(self, length);
            tag.pop_back();
        }
    };
    probe(probe, 2);
    probe(probe, 3);
    return known;
}

TEST(Sayings, EveryClipHasItsWordsInEveryKnownLanguage)
{
    EXPECT_GE(known_languages().size(), 13u);
    std::vector<std::string> names = say_clip_names();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    EXPECT_EQ(names.size(), std::size_t(SAY_NUMBERS + 8));
    for (const std::string &language : known_languages()) {
        std::set<std::string> words;
        for (const std::string &name : names) {
            std::string text = say_text(name, language);
            EXPECT_FALSE(text.empty()) << name << " in " << language;
            words.insert(text);
        }
        EXPECT_EQ(words.size(), names.size()) << "two clips of " << language << " say the same";
    }
    const std::vector<std::pair<std::string, std::string>> tags = {
        {"pt-BR", "Jogador"}, {"FR", "Joueur"}, {"de-AT", "Spieler"}, {"en-GB", "Player"},
        {"qaa", ""}, {"e", ""}, {"", ""}}; // qaa: kept for local use, never a language
    for (const auto &tag : tags) {
        EXPECT_EQ(say_text("player", tag.first), tag.second) << "'" << tag.first << "'";
        EXPECT_EQ(say_language_known(tag.first), !tag.second.empty()) << "'" << tag.first << "'";
    }
    EXPECT_EQ(say_text("number27", "fr"), "27");
    EXPECT_EQ(say_text("number27", "en-GB"), "twenty-seven");
}

TEST(Sayings, ClipsAreLookedForInTheVersionThenTheLanguageThenEnglish)
{
    struct Case {
        const char *language;
        std::vector<std::string> paths;
    };
    const std::vector<Case> cases = {
        {"en", {"./v/say/wins.wav", "./audio/say/en/wins.wav"}},
        {"fr", {"./v/say/wins.wav", "./audio/say/fr/wins.wav", "./audio/say/en/wins.wav"}},
        {"fr-CA",
         {"./v/say/wins.wav", "./audio/say/fr-CA/wins.wav", "./audio/say/fr/wins.wav",
          "./audio/say/en/wins.wav"}},
        {"../../etc", {"./v/say/wins.wav", "./audio/say/en/wins.wav"}},
        {"", {"./v/say/wins.wav", "./audio/say/en/wins.wav"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(say_clip_paths("v", c.language, "wins"), c.paths) << "'" << c.language << "'";
}

// The languages whose clips ship: English, and each shipped version's.
std::set<std::string> shipped_languages()
{
    std::set<std::string> languages = {"en"};
    std::istringstream list(read_file(data_folder() + "/shipped.txt"));
    for (std::string line; std::getline(list, line);) {
        std::istringstream words(line);
        std::string kind, name;
        if (words >> kind >> name && kind == "version") {
            std::istringstream tag(read_file(data_folder() + "/" + name + "/language"));
            std::string language = "en";
            tag >> language;
            languages.insert(language);
        }
    }
    return languages;
}

// The clips that ship: all there for every shipped language, playable, one
// channel at 22050 per second, trimmed short, a few megabytes a language.
TEST(Sayings, TheShippedClipsAreWholeAndShort)
{
    std::set<std::string> languages = shipped_languages();
    EXPECT_TRUE(languages.count("fr")) << "the French board's clips";
    for (const std::string &language : languages) {
        double total_bytes = 0;
        for (const std::string &name : say_clip_names()) {
            std::string path = data_folder() + "/audio/say/" + language + "/" + name + ".wav";
            std::string bytes;
            WavInfo wav = check_wav_file(path, bytes);
            ASSERT_TRUE(wav.playable) << path << ": " << wav.fault;
            EXPECT_EQ(wav.channels, 1) << path;
            EXPECT_EQ(wav.rate, 22050u) << path;
            EXPECT_LT(wav.ms, name == "help" ? 10000 : 1500) << path;
            EXPECT_GT(wav.ms, 150) << path;
            total_bytes += double(bytes.size());
        }
        EXPECT_LT(total_bytes, 5e6) << language;
    }
}

} // namespace
