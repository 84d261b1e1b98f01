// The game's spoken phrases and their clips.
#include "sayings.h"

#include "language.h"
#include "paths.h"
#include "rules.h"
#include "utf8.h"

#include <algorithm>
#include <array>

namespace {

// The clips of words, in the order of every language's words below: the
// game's, the menu's, then a question's verdict (each fits the question
// box's line of VERDICT_CELLS cells).
constexpr std::array<const char *, 29> WORD_CLIPS = {
    "player",  "roll",        "square",   "climbs",   "slides",     "wins",    "on_square",
    "help",    "rolls",       "ladder",   "chute",    "to",         "computer_plays",
    "no_note", "players",     "person",   "computer", "speaking",   "one_button",
    "full_screen", "on",      "off",      "start",    "quit",       "play_again", "menu",
    "right",   "well_done",   "the_answer"};

// A language the game knows the words of. Its numbers are spoken from their
// digits ("27"), which every voice reads in its own words, except English,
// whose number clips keep their written words. English puts a word before
// each number that tells a listener a number comes ("rolls the number four",
// "now on square twelve"): heard far more surely than a bare number after
// the die's rattle (docs/speaking.md, "How well it is heard"). The prompt is
// the panel's,
// its %d the player's number; it fits the panel's 25 cells.
struct SayLanguage {
    const char *tag;
    const char *prompt;
    std::array<const char *, WORD_CLIPS.size()> words;
};

constexpr std::array<SayLanguage, 13> SAY_LANGUAGES = {{
    {"en", "Player %d - Roll the die",
     {"Player", "roll the die", "now on square", "the ladder takes you to square",
      "the chute takes you to square", "wins", "on square",
      "Space rolls the die. P says where everyone stands. N says the last note again. "
      "B says the ladders and chutes. H says these keys. Escape ends the game.",
      "rolls the number", "ladder from", "chute from", "to", "the computer plays",
      "no note yet",
      "Players", "person", "computer", "Speaking", "One button", "Full screen", "on", "off", "Start", "Quit", "Play again", "Menu",
      "Right!", "Well done! You stay here.", "The answer is"}},
    {"fr", "Joueur %d - Lance le dé",
     {"Joueur", "lance le dé", "case", "monte à", "descend à", "gagne", "sur la case",
      "Espace lance le dé. P dit où sont les joueurs. N redit la dernière note. "
      "B dit les échelles et les toboggans. H dit ces touches. Échap arrête la partie.",
      "obtient", "échelle de", "toboggan de", "à", "l'ordinateur joue", "pas encore de note",
      "Joueurs", "personne", "ordinateur", "Parole", "Un bouton", "Plein écran", "oui", "non", "Commencer", "Quitter", "Rejouer", "Menu",
      "Juste !", "Bravo ! Tu restes ici.", "La réponse est"}},
    {"de", "Spieler %d - Würfle!",
     {"Spieler", "würfle", "Feld", "klettert auf", "rutscht hinunter auf", "gewinnt",
      "auf Feld",
      "Die Leertaste würfelt. P sagt, wo alle stehen. N sagt die letzte Notiz noch "
      "einmal. B sagt die Leitern und Rutschen. H sagt diese Tasten. Escape beendet das "
      "Spiel.",
      "würfelt", "Leiter von", "Rutsche von", "bis", "der Computer spielt",
      "noch keine Notiz",
      "Spielerzahl", "Mensch", "Computer", "Sprechen", "Eine Taste", "Vollbild", "an", "aus", "Start", "Beenden", "Noch einmal", "Menü",
      "Richtig!", "Gut gemacht! Du bleibst hier.", "Die Antwort ist"}},
    {"es", "Jugador %d - Tira el dado",
     {"Jugador", "tira el dado", "casilla", "sube a la", "baja a la", "gana",
      "en la casilla",
      "Espacio tira el dado. P dice dónde está cada jugador. N repite la última nota. "
      "B dice las escaleras y los toboganes. H dice estas teclas. Escape termina la "
      "partida.",
      "saca", "escalera de", "tobogán de", "a", "juega el ordenador", "todavía no hay nota",
      "Jugadores", "persona", "ordenador", "Voz", "Un botón", "Pantalla completa", "sí", "no", "Empezar", "Salir", "Jugar otra vez", "Menú",
      "¡Correcto!", "¡Muy bien! Te quedas aquí.", "La respuesta es"}},
    {"it", "Giocatore %d - Lancia!",
     {"Giocatore", "lancia il dado", "casella", "sale alla", "scende alla", "vince",
      "sulla casella",
      "Spazio lancia il dado. P dice dove sono i giocatori. N ripete l'ultima nota. "
      "B dice le scale e gli scivoli. H dice questi tasti. Esc termina la partita.",
      "ottiene", "scala da", "scivolo da", "a", "gioca il computer", "ancora nessuna nota",
      "Giocatori", "persona", "computer", "Voce", "Un pulsante", "Schermo intero", "sì", "no", "Inizia", "Esci", "Gioca ancora", "Menu",
      "Giusto!", "Bravo! Resti qui.", "La risposta è"}},
    {"pt", "Jogador %d - Lança o dado",
     {"Jogador", "lança o dado", "casa", "sobe para a", "desce para a", "ganha", "na casa",
      "Espaço lança o dado. P diz onde estão os jogadores. N repete a última nota. "
      "B diz as escadas e os escorregas. H diz estas teclas. Escape termina o jogo.",
      "tira", "escada de", "escorrega de", "a", "o computador joga", "ainda não há nota",
      "Jogadores", "pessoa", "computador", "Voz", "Um botão", "Tela cheia", "sim", "não", "Começar", "Sair", "Jogar de novo", "Menu",
      "Certo!", "Muito bem! Fica aqui.", "A resposta é"}},
    {"nl", "Speler %d - Gooi de steen",
     {"Speler", "gooi de dobbelsteen", "vak", "klimt naar", "glijdt naar", "wint",
      "op vak",
      "Spatie gooit de dobbelsteen. P zegt waar iedereen staat. N herhaalt de laatste "
      "notitie. B noemt de ladders en glijbanen. H noemt deze toetsen. Escape beëindigt "
      "het spel.",
      "gooit", "ladder van", "glijbaan van", "naar", "de computer speelt",
      "nog geen notitie",
      "Spelers", "mens", "computer", "Spraak", "Eén knop", "Volledig scherm", "aan", "uit", "Start", "Stoppen", "Opnieuw spelen", "Menu",
      "Goed zo!", "Goed gedaan! Je blijft hier.", "Het antwoord is"}},
    {"pl", "Gracz %d - Rzuć kostką",
     {"Gracz", "rzuć kostką", "pole", "wspina się na", "zjeżdża na", "wygrywa", "na polu",
      "Spacja rzuca kostką. P mówi, gdzie stoją gracze. N powtarza ostatnią notatkę. "
      "B podaje drabiny i zjeżdżalnie. H podaje te klawisze. Escape kończy grę.",
      "wyrzuca", "drabina z", "zjeżdżalnia z", "na", "gra komputer",
      "jeszcze nie ma notatki",
      "Gracze", "człowiek", "komputer", "Mowa", "Jeden przycisk", "Pełny ekran", "tak", "nie", "Start", "Wyjdź", "Zagraj ponownie", "Menu",
      "Dobrze!", "Brawo! Zostajesz tutaj.", "Odpowiedź to"}},
    {"cs", "Hráč %d - Hoď kostkou",
     {"Hráč", "hoď kostkou", "pole", "stoupá na", "klesá na", "vyhrává", "na poli",
      "Mezerník hází kostkou. P řekne, kde kdo stojí. N zopakuje poslední poznámku. "
      "B řekne žebříky a skluzavky. H řekne tyto klávesy. Escape ukončí hru.",
      "hodil", "žebřík z", "skluzavka z", "na", "hraje počítač", "zatím žádná poznámka",
      "Hráči", "člověk", "počítač", "Řeč", "Jedno tlačítko", "Celá obrazovka", "ano", "ne", "Start", "Konec", "Hrát znovu", "Nabídka",
      "Správně!", "Výborně! Zůstáváš tady.", "Odpověď je"}},
    {"el", "Παίκτης %d - Ρίξε το ζάρι",
     {"Παίκτης", "ρίξε το ζάρι", "θέση", "ανεβαίνει στη", "κατεβαίνει στη", "κερδίζει",
      "στη θέση",
      "Το διάστημα ρίχνει το ζάρι. Το P λέει πού βρίσκονται όλοι. Το N λέει ξανά την "
      "τελευταία σημείωση. Το B λέει τις σκάλες και τις τσουλήθρες. Το H λέει αυτά τα "
      "πλήκτρα. Το Escape τελειώνει το παιχνίδι.",
      "φέρνει", "σκάλα από", "τσουλήθρα από", "έως", "παίζει ο υπολογιστής",
      "καμία σημείωση ακόμη",
      "Παίκτες", "άνθρωπος", "υπολογιστής", "Ομιλία", "Ένα κουμπί", "Πλήρης οθόνη", "ναι", "όχι", "Έναρξη", "Έξοδος", "Παίξε ξανά", "Μενού",
      "Σωστά!", "Μπράβο! Μένεις εδώ.", "Η απάντηση είναι"}},
    {"ru", "Игрок %d - Брось кубик",
     {"Игрок", "брось кубик", "клетка", "поднимается на", "спускается на", "побеждает",
      "на клетке",
      "Пробел бросает кубик. P говорит, где стоят игроки. N повторяет последнюю "
      "заметку. B называет лестницы и горки. H называет эти клавиши. Escape заканчивает "
      "игру.",
      "выбрасывает", "лестница с", "горка с", "до", "играет компьютер", "заметок пока нет",
      "Игроки", "человек", "компьютер", "Речь", "Одна кнопка", "Весь экран", "да", "нет", "Начать", "Выход", "Играть снова", "Меню",
      "Правильно!", "Молодец! Ты остаёшься здесь.", "Ответ:"}},
    {"uk", "Гравець %d - Кинь кубик",
     {"Гравець", "кинь кубик", "клітинка", "піднімається на", "спускається на",
      "перемагає", "на клітинці",
      "Пробіл кидає кубик. P каже, де стоять гравці. N повторює останню нотатку. "
      "B називає драбини та гірки. H називає ці клавіші. Escape завершує гру.",
      "викидає", "драбина з", "гірка з", "до", "грає комп'ютер", "нотаток поки немає",
      "Гравці", "людина", "комп'ютер", "Мовлення", "Одна кнопка", "Весь екран", "так", "ні", "Почати", "Вихід", "Грати знову", "Меню",
      "Правильно!", "Молодець! Ти залишаєшся тут.", "Відповідь:"}},
    {"tr", "Oyuncu %d - Zarı at",
     {"Oyuncu", "zarı at", "kare", "yukarı çıkar, kare", "aşağı kayar, kare", "kazandı",
      "şu karede:",
      "Boşluk zarı atar. P herkesin yerini söyler. N son notu yeniden söyler. "
      "B merdivenleri ve kaydırakları söyler. H bu tuşları söyler. Escape oyunu bitirir.",
      "atılan sayı", "merdiven, başı", "kaydırak, başı", "sonu", "bilgisayar oynuyor",
      "henüz not yok",
      "Oyuncular", "insan", "bilgisayar", "Konuşma", "Tek düğme", "Tam ekran", "açık", "kapalı", "Başla", "Çık", "Yeniden oyna", "Menü",
      "Doğru!", "Aferin! Burada kalıyorsun.", "Cevap:"}},
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

// The words of `language`, English's when the game has none.
const SayLanguage &words_of(const std::string &language)
{
    const SayLanguage *words = say_language(language);
    return words != nullptr ? *words : SAY_LANGUAGES[0];
}

const char *word(const SayLanguage &words, const char *clip)
{
    for (std::size_t i = 0; i < WORD_CLIPS.size(); i++)
        if (std::string(clip) == WORD_CLIPS[i])
            return words.words[i];
    return "";
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

// The player's number of a clip "<head>N" (N 1 to MAX_PLAYERS), or 0.
int clip_player(const std::string &clip, const std::string &head)
{
    if (clip.size() != head.size() + 1 || clip.compare(0, head.size(), head) != 0)
        return 0;
    int n = clip.back() - '0';
    return n >= 1 && n <= MAX_PLAYERS ? n : 0;
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

// "Player 1 wins" (printed with digits), spoken by the clip "win1".
std::string win_words(int which, const SayLanguage &words)
{
    return std::string(word(words, "player")) + " " + std::to_string(which + 1) + " " +
           word(words, "wins");
}

} // namespace

std::string number_clip(int n)
{
    return "number" + std::string(1, char('0' + n / 10)) + char('0' + n % 10);
}

std::string turn_clip(int which)
{
    return "turn" + std::to_string(which + 1);
}

std::string win_clip(int which)
{
    return "win" + std::to_string(which + 1);
}

std::vector<std::string> say_clip_names()
{
    std::vector<std::string> names;
    for (int n = 0; n < SAY_NUMBERS; n++)
        names.push_back(number_clip(n));
    for (const char *clip : WORD_CLIPS)
        names.push_back(clip);
    for (int which = 0; which < MAX_PLAYERS; which++)
        names.push_back(turn_clip(which));
    for (int which = 0; which < MAX_PLAYERS; which++)
        names.push_back(win_clip(which));
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
    // The turn and win sounds speak the player's number in words, as the
    // number clips do.
    if (int turn = clip_player(clip, "turn"))
        return std::string(words->words[0]) + " " + say_text(number_clip(turn), language);
    if (int won = clip_player(clip, "win"))
        return std::string(words->words[0]) + " " + say_text(number_clip(won), language) + " " +
               word(*words, "wins");
    int index = word_index(clip);
    return index < 0 ? std::string() : words->words[std::size_t(index)];
}

std::string say_prompt(int which, const std::string &language)
{
    std::string format = words_of(language).prompt;
    std::size_t at = format.find("%d");
    return format.substr(0, at) + std::to_string(which + 1) + format.substr(at + 2);
}

std::string say_win_words(int which, const std::string &language)
{
    return win_words(which, words_of(language));
}

Phrase phrase_turn(int which, const std::string &language)
{
    std::string lang = spoken_language(language);
    Phrase phrase;
    phrase.clips.push_back(turn_clip(which));
    phrase.text = std::string(word(words_of(lang), "player")) + " " + std::to_string(which + 1) + ",";
    add(phrase, "roll", lang);
    return phrase;
}

Phrase phrase_computer_turn(int which, const std::string &language)
{
    std::string lang = spoken_language(language);
    Phrase phrase = phrase_turn(which, lang);
    phrase.clips.back() = "computer_plays";
    phrase.text = phrase.text.substr(0, phrase.text.rfind(',') + 1) + " " + say_text("computer_plays", lang);
    return phrase;
}

Phrase phrase_number(int n, const std::string &language)
{
    Phrase phrase;
    add(phrase, number_clip(n), spoken_language(language));
    return phrase;
}

Phrase phrase_roll(int n, const std::string &language)
{
    std::string lang = spoken_language(language);
    Phrase phrase;
    add(phrase, "rolls", lang);
    add(phrase, number_clip(n), lang);
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
    phrase.clips.push_back(win_clip(which));
    phrase.text = win_words(which, words_of(lang));
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

Phrase phrase_board(const std::vector<std::pair<int, int>> &leads, const std::string &language)
{
    std::string lang = spoken_language(language);
    std::vector<std::pair<int, int>> sorted = leads;
    std::sort(sorted.begin(), sorted.end());
    Phrase phrase;
    for (std::size_t i = 0; i < sorted.size(); i++) {
        if (i > 0)
            phrase.text += ",";
        add(phrase, sorted[i].second > sorted[i].first ? "ladder" : "chute", lang);
        add(phrase, number_clip(sorted[i].first), lang);
        add(phrase, "to", lang);
        add(phrase, number_clip(sorted[i].second), lang);
    }
    return phrase;
}

Phrase phrase_no_note(const std::string &language)
{
    Phrase phrase;
    add(phrase, "no_note", spoken_language(language));
    return phrase;
}

Phrase phrase_help(const std::string &language)
{
    Phrase phrase;
    add(phrase, "help", spoken_language(language));
    return phrase;
}

Phrase phrase_verdict(bool praised, const std::string &language)
{
    Phrase phrase;
    add(phrase, praised ? "well_done" : "right", spoken_language(language));
    return phrase;
}

Phrase phrase_answer_is(const std::string &language)
{
    Phrase phrase;
    add(phrase, "the_answer", spoken_language(language));
    return phrase;
}

std::vector<std::string> answer_is_lines(const std::string &answer, const std::string &language)
{
    std::string lead = phrase_answer_is(language).text;
    std::string line = lead + " " + answer;
    if (character_count(line) <= std::size_t(VERDICT_CELLS))
        return {line};
    return {lead, answer};
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

bool own_language(const std::string &language)
{
    return say_language_known(language) && primary_language(language) != SAY_FALLBACK_LANGUAGE;
}

std::vector<std::string> own_clip_paths(const std::string &version, const std::string &language,
                                        const std::string &clip)
{
    if (!own_language(language))
        return {};
    std::vector<std::string> paths = say_clip_paths(version, language, clip);
    paths.pop_back(); // the English fallback
    return paths;
}

Phrase phrase_of(const std::vector<std::string> &clips, const std::string &language)
{
    std::string lang = spoken_language(language);
    Phrase phrase;
    for (const std::string &clip : clips)
        add(phrase, clip, lang);
    return phrase;
}

std::string menu_language(const char *lang)
{
    std::string tag = lang == nullptr ? "" : lang;
    tag = tag.substr(0, tag.find_first_of("_.@"));
    return tag.empty() || !language_tag_fault(tag).empty() ? SAY_FALLBACK_LANGUAGE : spoken_language(tag);
}
