// The game's spoken phrases and their clips.
#include "sayings.h"

#include <array>

namespace {

// A clip of words, its text in each language the game knows.
struct SayWords {
    const char *clip;
    const char *en;
    const char *fr;
};

constexpr std::array<SayWords, 8> SAY_WORDS = {{
    {"player", "Player", "Joueur"},
    {"roll", "roll the die", "lance le dé"},
    {"square", "square", "case"},
    {"climbs", "climbs to", "monte à"},
    {"slides", "slides down to", "descend à"},
    {"wins", "wins", "gagne"},
    {"on_square", "on square", "sur la case"},
    {"help",
     "Space rolls the die. P says where everyone stands. N says the last note again. "
     "H says these keys. Escape ends the game.",
     "Espace lance le dé. P dit où sont les joueurs. N redit la dernière note. "
     "H dit ces touches. Échap arrête la partie."},
}};

constexpr std::array<const char *, 20> ONES = {
    "zero",    "one",     "two",       "three",    "four",     "five",    "six",
    "seven",   "eight",   "nine",      "ten",      "eleven",   "twelve",  "thirteen",
    "fourteen", "fifteen", "sixteen",  "seventeen", "eighteen", "nineteen"};
constexpr std::array<const char *, 10> TENS = {"",      "",      "twenty",  "thirty", "forty",
                                               "fifty", "sixty", "seventy", "eighty", "ninety"};

const SayWords *find_words(const std::string &clip)
{
    for (const SayWords &w : SAY_WORDS)
        if (clip == w.clip)
            return &w;
    return nullptr;
}

// A number clip's number, or -1.
int clip_number(const std::string &clip)
{
    if (clip.size() != 8 || clip.compare(0, 6, "number") != 0 || clip[6] < '0' || clip[6] > '9' ||
        clip[7] < '0' || clip[7] > '9')
        return -1;
    return (clip[6] - '0') * 10 + (clip[7] - '0');
}

std::string spoken_language(const std::string &language)
{
    return say_language_known(language) ? language : SAY_FALLBACK_LANGUAGE;
}

// Adds a clip and its printed words to a phrase, a blank between words.
void add(Phrase &phrase, const std::string &clip, const std::string &language)
{
    phrase.clips.push_back(clip);
    if (!phrase.text.empty())
        phrase.text += " ";
    phrase.text += say_text(clip, language);
}

// "Player 1": the player's number printed in digits, spoken as its number clip.
void add_player(Phrase &phrase, int which, const std::string &language)
{
    add(phrase, "player", language);
    phrase.clips.push_back(number_clip(which + 1));
    phrase.text += " " + std::to_string(which + 1);
}

} // namespace

std::string number_clip(int n)
{
    return "number" + std::string(1, char('0' + n / 10)) + char('0' + n % 10);
}

std::vector<std::string> say_clip_names()
{
    std::vector<std::string> names;
    for (int n = 0; n < SAY_NUMBERS; n++)
        names.push_back(number_clip(n));
    for (const SayWords &w : SAY_WORDS)
        names.push_back(w.clip);
    return names;
}

bool say_language_known(const std::string &language)
{
    return language == "en" || language == "fr";
}

std::string number_words(int n)
{
    if (n < 0 || n >= SAY_NUMBERS)
        return std::to_string(n);
    if (n < 20)
        return ONES[std::size_t(n)];
    std::string words = TENS[std::size_t(n / 10)];
    return n % 10 == 0 ? words : words + "-" + ONES[std::size_t(n % 10)];
}

std::string say_text(const std::string &clip, const std::string &language)
{
    if (!say_language_known(language))
        return std::string();
    int n = clip_number(clip);
    if (n >= 0)
        return language == "en" ? number_words(n) : std::to_string(n);
    const SayWords *w = find_words(clip);
    if (w == nullptr)
        return std::string();
    return language == "en" ? w->en : w->fr;
}

Phrase phrase_turn(int which, const std::string &language)
{
    std::string lang = spoken_language(language);
    Phrase phrase;
    add_player(phrase, which, lang);
    phrase.text += ",";
    add(phrase, "roll", lang);
    return phrase;
}

Phrase phrase_number(int n, const std::string &language)
{
    Phrase phrase;
    add(phrase, number_clip(n), spoken_language(language));
    return phrase;
}

Phrase phrase_square(int square, const std::string &language)
{
    std::string lang = spoken_language(language);
    Phrase phrase;
    add(phrase, "square", lang);
    add(phrase, number_clip(square), lang);
    return phrase;
}

Phrase phrase_landing(int from, int to, const std::string &language)
{
    std::string lang = spoken_language(language);
    Phrase phrase;
    add(phrase, to > from ? "climbs" : "slides", lang);
    add(phrase, number_clip(to), lang);
    return phrase;
}

Phrase phrase_win(int which, const std::string &language)
{
    std::string lang = spoken_language(language);
    Phrase phrase;
    add_player(phrase, which, lang);
    add(phrase, "wins", lang);
    return phrase;
}

Phrase phrase_positions(const std::vector<int> &squares, const std::string &language)
{
    std::string lang = spoken_language(language);
    Phrase phrase;
    for (std::size_t i = 0; i < squares.size(); i++) {
        if (i > 0)
            phrase.text += ",";
        add_player(phrase, int(i), lang);
        add(phrase, "on_square", lang);
        add(phrase, number_clip(squares[i]), lang);
    }
    return phrase;
}

Phrase phrase_help(const std::string &language)
{
    Phrase phrase;
    add(phrase, "help", spoken_language(language));
    return phrase;
}

std::vector<std::string> say_clip_paths(const std::string &version, const std::string &language,
                                        const std::string &clip)
{
    std::vector<std::string> paths = {"./" + version + "/say/" + clip + ".wav"};
    // A tag is letters, digits and dashes: a language file's line never
    // names a folder outside the shipped clips.
    bool plain_tag = !language.empty() &&
                     language.find_first_not_of("abcdefghijklmnopqrstuvwxyz"
                                                "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_") ==
                         std::string::npos;
    if (plain_tag)
        paths.push_back("./audio/say/" + language + "/" + clip + ".wav");
    if (language != SAY_FALLBACK_LANGUAGE)
        paths.push_back(std::string("./audio/say/") + SAY_FALLBACK_LANGUAGE + "/" + clip + ".wav");
    return paths;
}
