// What the game says under --speak: the number words, the phrases with their
// clips, where a clip is looked for, and the shipped English clips.
#include "sayings.h"

#include "questions.h"
#include "utf8.h"

#include "rules.h"
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
        {"turn", phrase_turn(0, "en"), "Player 1, roll the die", {"turn1", "roll"}},
        {"computer's turn", phrase_computer_turn(1, "en"), "Player 2, the computer plays",
         {"turn2", "computer_plays"}},
        {"number", phrase_number(4, "en"), "four", {"number04"}},
        {"roll", phrase_roll(4, "en"), "rolls the number four", {"rolls", "number04"}},
        {"board", phrase_board({{19, 2}, {4, 25}}, "en"),
         "ladder from four to twenty-five, chute from nineteen to two",
         {"ladder", "number04", "to", "number25", "chute", "number19", "to", "number02"}},
        {"no board", phrase_board({}, "en"), "", {}},
        {"no note", phrase_no_note("en"), "no note yet", {"no_note"}},
        {"French turn", phrase_turn(0, "fr"), "Joueur 1, lance le dé", {"turn1", "roll"}},
        {"French computer", phrase_computer_turn(3, "fr"), "Joueur 4, l'ordinateur joue",
         {"turn4", "computer_plays"}},
        {"French board", phrase_board({{4, 25}}, "fr"), "échelle de 4 à 25",
         {"ladder", "number04", "to", "number25"}},
        {"French win", phrase_win(0, "fr"), "Joueur 1 gagne", {"win1"}},
        {"square", phrase_square(27, "en"), "now on square twenty-seven", {"square", "number27"}},
        {"ladder", phrase_landing(4, 45, "en"), "the ladder takes you to square forty-five", {"climbs", "number45"}},
        {"chute", phrase_landing(47, 12, "en"), "the chute takes you to square twelve", {"slides", "number12"}},
        {"win", phrase_win(1, "en"), "Player 2 wins", {"win2"}},
        {"positions", phrase_positions({12, 30}, "en"),
         "Player 1 on square twelve, Player 2 on square thirty",
         {"player", "number01", "on_square", "number12", "player", "number02", "on_square",
          "number30"}},
        {"square 0", phrase_square(0, "en"), "now on square zero", {"square", "number00"}},
        {"unknown language speaks English", phrase_square(99, "xx"), "now on square ninety-nine",
         {"square", "number99"}},
        {"French prints digits", phrase_landing(47, 12, "fr"), "descend à 12",
         {"slides", "number12"}},
        {"right", phrase_verdict(false, "en"), "Right!", {"right"}},
        {"praise", phrase_verdict(true, "en"), "Well done! You stay here.", {"well_done"}},
        {"the answer", phrase_answer_is("en"), "The answer is", {"the_answer"}},
        {"French praise", phrase_verdict(true, "fr"), "Bravo ! Tu restes ici.", {"well_done"}},
        {"Russian answer", phrase_answer_is("ru"), "Ответ:", {"the_answer"}},
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
    EXPECT_EQ(names.size(), std::size_t(SAY_NUMBERS + 29 + 2 * MAX_PLAYERS));
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
    EXPECT_EQ(say_text("turn3", "en"), "Player three");
    EXPECT_EQ(say_text("win2", "en"), "Player two wins");
    EXPECT_EQ(say_text("turn3", "fr"), "Joueur 3");
    EXPECT_EQ(say_text("win4", "ru"), "Игрок 4 побеждает");
    EXPECT_EQ(say_text("turn5", "en"), "");
    EXPECT_EQ(say_text("turn0", "en"), "");
    EXPECT_EQ(say_text("number27", "en-GB"), "twenty-seven");
}

// The panel's prompt: the design's English exactly; every language's fits
// the panel's 25 cells of 6 pixels (x 490 to 640) for Players 1 to 4.
TEST(Sayings, PromptsFitThePanel)
{
    EXPECT_EQ(say_prompt(0, "en"), "Player 1 - Roll the die");
    EXPECT_EQ(say_prompt(3, "en-GB"), "Player 4 - Roll the die");
    EXPECT_EQ(say_prompt(1, "xx"), "Player 2 - Roll the die");
    EXPECT_EQ(say_prompt(0, "fr"), "Joueur 1 - Lance le dé");
    EXPECT_EQ(say_win_words(1, "fr"), "Joueur 2 gagne");
    EXPECT_EQ(say_win_words(0, "en"), "Player 1 wins");
    for (const char *language :
         {"en", "fr", "de", "es", "it", "pt", "nl", "pl", "cs", "el", "ru", "uk", "tr"})
        for (int which = 0; which < MAX_PLAYERS; which++)
            for (const std::string &text : {say_prompt(which, language), say_win_words(which, language)}) {
                EXPECT_LE(character_count(text), 25u) << text;
                EXPECT_NE(text.find(std::to_string(which + 1)), std::string::npos) << text;
            }
}

// A question's verdict words fit the question box's line, in every language.
TEST(Sayings, VerdictsFitTheQuestionBox)
{
    for (const char *language :
         {"en", "fr", "de", "es", "it", "pt", "nl", "pl", "cs", "el", "ru", "uk", "tr"})
        for (const Phrase &phrase : {phrase_verdict(false, language), phrase_verdict(true, language),
                                     phrase_answer_is(language)}) {
            EXPECT_GT(character_count(phrase.text), 0u) << language;
            EXPECT_LE(character_count(phrase.text), std::size_t(VERDICT_CELLS)) << phrase.text;
        }
}

// After a wrong answer the right one is shown whole under "The answer is",
// the longest the questions file allows too, in every language.
TEST(Sayings, TheRightAnswerIsShownWhole)
{
    const std::string longest(ANSWER_MAX_CHARS, 'W');
    const std::string greek_longest = "δεκαεννέα και είκοσι οκτώ";
    ASSERT_LE(character_count(greek_longest), std::size_t(ANSWER_MAX_CHARS));
    for (const char *language :
         {"en", "fr", "de", "es", "it", "pt", "nl", "pl", "cs", "el", "ru", "uk", "tr"})
        for (const std::string &answer : {std::string("12"), longest, greek_longest}) {
            std::vector<std::string> lines = answer_is_lines(answer, language);
            ASSERT_GE(lines.size(), 1u);
            EXPECT_LE(lines.size(), std::size_t(VERDICT_LINES)) << language << " " << answer;
            for (const std::string &line : lines)
                EXPECT_LE(character_count(line), std::size_t(VERDICT_CELLS)) << line;
            EXPECT_EQ(lines.front().rfind(phrase_answer_is(language).text, 0), 0u) << language;
            EXPECT_EQ(lines.back().substr(lines.back().size() - answer.size()), answer) << language;
        }
    EXPECT_EQ(answer_is_lines("12", "en"), std::vector<std::string>{"The answer is 12"});
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

TEST(Sayings, ABoardsOwnTurnAndWinClipsAreInItsLanguageOnly)
{
    struct Case {
        const char *language;
        std::vector<std::string> paths;
    };
    const std::vector<Case> cases = {
        {"fr", {"./v/say/turn1.wav", "./audio/say/fr/turn1.wav"}},
        {"pt-BR", {"./v/say/turn1.wav", "./audio/say/pt-BR/turn1.wav", "./audio/say/pt/turn1.wav"}},
        {"en", {}},    // no language file: the fixed sounds
        {"en-GB", {}},
        {"qaa", {}},   // no words: the fixed sounds
        {"", {}},      // an unusable language file
    };
    for (const Case &c : cases)
        EXPECT_EQ(own_clip_paths("v", c.language, "turn1"), c.paths) << "'" << c.language << "'";
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
            EXPECT_LT(wav.ms, name == "help" ? 12000 : 2000) << path; // a few words
            EXPECT_GT(wav.ms, 150) << path;
            total_bytes += double(bytes.size());
        }
        EXPECT_LT(total_bytes, 6e6) << language;
    }
}

} // namespace
