// The game's spoken phrases and their clips.
#include "sayings.h"

#include "language.h"
#include "paths.h"

#include <algorithm>
#include <array>

namespace {

// The clips of words, in the order of every language's words below.
constexpr std::array<const char *, 8> WORD_CLIPS = {
    "player", "roll", "square", "climbs", "slides", "wins", "on_square", "help"};

// A language the game knows the words of. Its numbers are spoken from their
// digits ("27"), which every voice reads in its own words, except English,
// whose number clips keep their written words.
struct SayLanguage {
    const char *tag;
    std::array<const char *, WORD_CLIPS.size()> words;
};

constexpr std::array<SayLanguage, 13> SAY_LANGUAGES = {{
    {"en", {"Player", "roll the die", "square", "climbs to", "slides down to", "wins", "on square",
            "Space rolls the die. P says where everyone stands. N says the last note again. "
            "H says these keys. Escape ends the game."}},
    {"fr", {"Joueur", "lance le dé", "case", "monte à", "descend à", "gagne", "sur la case",
            "Espace lance le dé. P dit où sont les joueurs. N redit la dernière note. "
            "H dit ces touches. Échap arrête la partie."}},
    {"de", {"Spieler", "würfle", "Feld", "klettert auf", "rutscht hinunter auf", "gewinnt",
            "auf Feld",
            "Die Leertaste würfelt. P sagt, wo alle stehen. N sagt die letzte Notiz noch "
            "einmal. H sagt diese Tasten. Escape beendet das Spiel."}},
    {"es", {"Jugador", "tira el dado", "casilla", "sube a la", "baja a la", "gana",
            "en la casilla",
            "Espacio tira el dado. P dice dónde está cada jugador. N repite la última nota. "
            "H dice estas teclas. Escape termina la partida."}},
    {"it", {"Giocatore", "lancia il dado", "casella", "sale alla", "scende alla", "vince",
            "sulla casella",
            "Spazio lancia il dado. P dice dove sono i giocatori. N ripete l'ultima nota. "
            "H dice questi tasti. Esc termina la partita."}},
    {"pt", {"Jogador", "lança o dado", "casa", "sobe para a", "desce para a", "ganha", "na casa",
            "Espaço lança o dado. P diz onde estão os jogadores. N repete a última nota. "
            "H diz estas teclas. Escape termina o jogo."}},
    {"nl", {"Speler", "gooi de dobbelsteen", "vak", "klimt naar", "glijdt naar", "wint",
            "op vak",
            "Spatie gooit de dobbelsteen. P zegt waar iedereen staat. N herhaalt de laatste "
            "notitie. H noemt deze toetsen. Escape beëindigt het spel."}},
    {"pl", {"Gracz", "rzuć kostką", "pole", "wspina się na", "zjeżdża na", "wygrywa", "na polu",
            "Spacja rzuca kostką. P mówi, gdzie stoją gracze. N powtarza ostatnią notatkę. "
            "H podaje te klawisze. Escape kończy grę."}},
    {"cs", {"Hráč", "hoď kostkou", "pole", "stoupá na", "klesá na", "vyhrává", "na poli",
            "Mezerník hází kostkou. P řekne, kde kdo stojí. N zopakuje poslední poznámku. "
            "H řekne tyto klávesy. Escape ukončí hru."}},
    {"el", {"Παίκτης", "ρίξε το ζάρι", "θέση", "ανεβαίνει στη", "κατεβαίνει στη", "κερδίζει",
            "στη θέση",
            "Το διάστημα ρίχνει το ζάρι. Το P λέει πού βρίσκονται όλοι. Το N λέει ξανά την "
            "τελευταία σημείωση. Το H λέει αυτά τα πλήκτρα. Το Escape τελειώνει το παιχνίδι."}},
    {"ru", {"Игрок", "брось кубик", "клетка", "поднимается на", "спускается на", "побеждает",
            "на клетке",
            "Пробел бросает кубик. P говорит, где стоят игроки. N повторяет последнюю "
            "заметку. H называет эти клавиши. Escape заканчивает игру."}},
    {"uk", {"Гравець", "кинь кубик", "клітинка", "піднімається на", "спускається на",
            "перемагає", "на клітинці",
            "Пробіл кидає кубик. P каже, де стоять гравці. N повторює останню нотатку. "
            "H називає ці клавіші. Escape завершує гру."}},
    {"tr", {"Oyuncu", "zarı at", "kare", "yukarı çıkar, kare", "aşağı kayar, kare", "kazandı",
            "şu karede:",
            "Boşluk zarı atar. P herkesin yerini söyler. N son notu yeniden söyler. "
            "H bu tuşları söyler. Escape oyunu bitirir."}},
}};

constexpr std::array<const char *, 20> ONES = {
    "zero",    "one",     "two",       "three",    "four",     "five",    "six",
    "seven",   "eight",   "nine",      "ten",      "eleven",   "twelve",  "thirteen",
    "fourteen", "fifteen", "sixteen",  "seventeen", "eighteen", "nineteen"};
constexpr std::array<const char *, 10> TENS = {"",      "",      "twenty",  "thirty", "forty",
                                               "fifty", "sixty", "seventy", "eighty", "ninety"};

// The words of `language`, those of its first part ("pt-BR" speaks the
// words of "pt"), in any case; null when the game has none.
const SayLanguage *say_language(const std::string &language)
{
    std::string tag = primary_language(language);
    for (const SayLanguage &known : SAY_LANGUAGES)
        if (tag == known.tag)
            return &known;
    return nullptr;
}

// The index of a word clip in WORD_CLIPS, or -1.
int word_index(const std::string &clip)
{
    for (std::size_t i = 0; i < WORD_CLIPS.size(); i++)
        if (clip == WORD_CLIPS[i])
            return int(i);
    return -1;
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
    for (const char *clip : WORD_CLIPS)
        names.push_back(clip);
    return names;
}

bool say_language_known(const std::string &language)
{
    return say_language(language) != nullptr;
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
    const SayLanguage *words = say_language(language);
    if (words == nullptr)
        return std::string();
    bool english = words == &SAY_LANGUAGES[0];
    int n = clip_number(clip);
    if (n >= 0)
        return english ? number_words(n) : std::to_string(n);
    int word = word_index(clip);
    return word < 0 ? std::string() : words->words[std::size_t(word)];
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
    std::vector<std::string> paths = {version_clips_folder(version) + "/" + clip + ".wav"};
    auto shipped = [&](const std::string &tag) {
        std::string path = shipped_clips_folder(tag) + "/" + clip + ".wav";
        if (std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    };
    // Only a well-formed tag (letters, digits and dashes) names a folder, so
    // a language file's line never reaches outside the shipped clips; a
    // regional tag ("fr-CA") also finds the clips of its language ("fr").
    if (language_tag_fault(language).empty()) {
        shipped(language);
        shipped(primary_language(language));
    }
    shipped(SAY_FALLBACK_LANGUAGE);
    return paths;
}
