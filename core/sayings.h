// What the game says aloud: the clips its phrases are made of, their texts in
// the languages the game knows, the phrases, and where a clip's sound is found.
#pragma once

#include <string>
#include <utility>
#include <vector>

constexpr int SAY_NUMBERS = 100;      // one clip for each number 0 to 99
constexpr const char *SAY_FALLBACK_LANGUAGE = "en";

// One phrase: the clips spoken one after the other and the words printed
// for it ("Says: " and the text).
struct Phrase {
    std::vector<std::string> clips; // clip names, "number27", "square", ...
    std::string text;               // "square twenty-seven"
};

// The name of the clip of number n (0 to 99): "number07" for 7.
std::string number_clip(int n);

// The clip of player index `which`'s turn sound ("turn1": "Player one") and
// of its win sound ("win1": "Player one wins").
std::string turn_clip(int which);
std::string win_clip(int which);

// Every clip the game speaks: the numbers 0 to 99, the words, then the turn
// and win sounds of Players 1 to 4.
std::vector<std::string> say_clip_names();

// Whether the game knows the words of `language` (a tag such as "en"; a
// regional tag such as "pt-BR" has those of its first part): English, French,
// German, Spanish, Italian, Portuguese, Dutch, Polish, Czech, Greek, Russian,
// Ukrainian and Turkish.
bool say_language_known(const std::string &language);

// The text that clip `clip` speaks in `language`: for a number clip its
// English words ("twenty-seven") in English and its digits ("27") in any
// other language, whose voice reads digits in its own words. Empty when the
// clip or the language is unknown.
std::string say_text(const std::string &clip, const std::string &language);

// English words of n, 0 to 99: "zero", "thirteen", "forty", "twenty-seven".
std::string number_words(int n);

// Whether a board in `language` has words of its own: a language the game
// knows other than English. Such a board's prompt, win words and turn and win
// sounds are its own; any other board keeps the English ones.
bool own_language(const std::string &language);

// The panel's turn prompt ("Player 1 - Roll the die", at most 25 cells) and
// the winner's words ("Player 1 wins"), in `language` (English when unknown).
std::string say_prompt(int which, const std::string &language);
std::string say_win_words(int which, const std::string &language);

// The phrases, in the words of `language` (English when it is unknown);
// a player is given by index (0 is "Player 1"), squares by number. The turn
// and win phrases are spoken by the player's turn and win clips, so the
// player is named once.
Phrase phrase_turn(int which, const std::string &language);        // "Player 1, roll the die"
Phrase phrase_computer_turn(int which, const std::string &language); // "Player 2, the computer plays"
Phrase phrase_number(int n, const std::string &language);          // "four"
Phrase phrase_roll(int n, const std::string &language);            // "rolls four"
Phrase phrase_square(int square, const std::string &language);     // "square twenty-seven"
Phrase phrase_landing(int from, int to, const std::string &language); // "climbs to forty-five"
Phrase phrase_win(int which, const std::string &language);         // "Player 1 wins"
// "Player 1 on square twelve, Player 2 on square thirty": squares[i] is
// where the player of index i stands.
Phrase phrase_positions(const std::vector<int> &squares, const std::string &language);
// "ladder from 4 to 25, chute from 19 to 2": every ladder and chute, given
// as (start, end), in the order of their start squares.
Phrase phrase_board(const std::vector<std::pair<int, int>> &leads, const std::string &language);
Phrase phrase_no_note(const std::string &language);                // "no note yet"
Phrase phrase_help(const std::string &language);                   // the keys and what they do
// A question's verdict: "Right!", or on a chute's top "Well done! You stay
// here."; and what leads the right answer after a wrong one, "The answer is".
// Each fits VERDICT_CELLS cells.
Phrase phrase_verdict(bool praised, const std::string &language);
Phrase phrase_answer_is(const std::string &language);
constexpr int VERDICT_CELLS = 34;
constexpr int VERDICT_LINES = 2;
// What the box writes after a wrong answer: "The answer is" and `answer` in
// `language`, on one line when they fit VERDICT_CELLS cells, else the answer
// whole on a line of its own under them.
std::vector<std::string> answer_is_lines(const std::string &answer, const std::string &language);

// Where clip `clip` of version `version` in `language` is looked for, in
// order: "./<version>/say/<clip>.wav" (made for the user's own version),
// "./audio/say/<language>/<clip>.wav" (shipped; for a regional tag also the
// folder of its first part), then the same in English.
std::vector<std::string> say_clip_paths(const std::string &version, const std::string &language,
                                        const std::string &clip);

// Where a clip of the board's own language is looked for, for the turn and win
// sounds that replace the fixed ones: say_clip_paths without the English
// fallback, and nothing for a board that speaks English (no language file,
// an English one, or one the game has no words for), which keeps the fixed
// sounds.
std::vector<std::string> own_clip_paths(const std::string &version, const std::string &language,
                                        const std::string &clip);

// A phrase of the given clips in `language` (English when it is unknown), its
// text their words with blanks between: the menu's items.
Phrase phrase_of(const std::vector<std::string> &clips, const std::string &language);

// The language the menu speaks for a LANG value such as "fr_FR.UTF-8": its
// first part when the game knows its words, else English.
std::string menu_language(const char *lang);
