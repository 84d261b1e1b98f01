// Speaking the game's state under --speak: phrases made of short clips,
// queued and played one after the other on a mixer channel of their own.
#pragma once

#include "outcome.h"
#include "sayings.h"

#include <string>

// The speech channel: reserved, so that play_sound's first free channel is
// never it and no note, turn or win sound cuts a phrase or is cut by one.
constexpr int SPEECH_CHANNEL = 0;

// The gap of silence between two clips of one phrase.
constexpr int SPEECH_GAP_MS = 100;

// The silence between the rattle's end and the roll's phrase.
constexpr int ROLL_PAUSE_MS = 300;

// The longest clip spoken: the help, the longest, lasts 8 s in English. A
// longer clip is refused when first wanted, with a line naming it, and the
// next place along say_clip_paths is tried, so a phrase never needs more.
constexpr double SAY_CLIP_MAX_MS = 20000;

// Starts speaking for `version` in its language: reserves SPEECH_CHANNEL.
// Clips are looked for along say_clip_paths and loaded when first spoken,
// once; a missing or unusable clip, or one longer than SAY_CLIP_MAX_MS, is
// left out of its phrase. Until it is called,
// every other call here does nothing, so that without --speak the game plays
// and prints exactly as it does without this module.
void speak_setup(const std::string &version);

// Ends the game's speaking (a game without --speak after one with it).
void speak_stop();

// The chooser's speaking, apart from the game's: on or off, and the language
// of its words. Reserves SPEECH_CHANNEL when on.
void speak_choices(bool on, const std::string &language);

// Says the phrase of an item the chooser lit, its clips in the chooser's
// language looked for first in `version`'s say/ folder (a board's title);
// what was said for an item before is cut short. Nothing without
// speak_choices on.
void speak_lit(const Phrase &phrase, const std::string &version);

// Queues a phrase. Each phrase's line "Says: TEXT" is printed when it starts
// to play, its control bytes as \xNN (terminal_text), so the lines come in the order spoken, also when every clip of
// the phrase is missing (it then takes no time).
void speak(const Phrase &phrase);

// Starts the next queued phrase when the speech channel has gone quiet;
// called wherever the game goes round a loop.
void speak_pump();

// Waits until every queued phrase has been spoken: at most their own length,
// less when the game is quit meanwhile (the outcome says so).
Outcome speak_finish();

// The turn's phrases, in the turn's order. speak_walked also remembers a
// note square for the key n, and lets the square's phrase end before the
// note sound starts, so that speech never plays over a note; it and
// speak_win wait as speak_finish does.
// "Player 1, roll the die" or, for a player the computer plays, "Player 2,
// the computer plays": the player named by the turn clip, under --speak in
// place of the turn sound.
void speak_turn(int which, bool computer);
// "rolls the number four": the rattle stopped, ROLL_PAUSE_MS of quiet (a
// game_wait), the phrase said to its end; it cuts short what keys asked for.
Outcome speak_roll(int roll);
// A walked square's quiet tick (WALK_TICK_SOUND) on the first free channel.
void speak_step();
Outcome speak_walked(int square);     // "square twenty-seven"
void speak_landing(int from, int to); // "climbs to forty-five", after the note
Outcome speak_win(int which);         // "Player 1 wins", spoken to its end

// A question square's voices (squarevox makes them): `words` said from the
// sound at `path`, after the number of the answer (1 to 4) when `number` is
// above 0; printed "Says: WORDS" or "Says: NUMBER WORDS" when it starts. A
// missing sound is said in print only.
void speak_recorded(int number, const std::string &path, const std::string &words);
// The verdict on an answer: "Right!" (or, praised, "Well done! You stay
// here."); after a wrong one, "The answer is" and the right answer from its
// recorded sound at `path`, `words` printed.
void speak_right(bool praised);
void speak_right_answer(const std::string &path, const std::string &words);

// Whether a phrase is being said or waits to be: the die's rattle is not
// started then. False without --speak.
bool speak_busy();

// A key released while the die spins: p says where every player stands, n
// the last note again (its sound, its text on the Says line; "no note yet"
// before the first note), b every ladder and chute, h the keys. What a key
// asked for is cut short by any key and by the roll. True for these four
// keys under --speak, which then do not stop the die whoever rolls; other
// keys only cut answers short, and every key without --speak does nothing
// here.
bool speak_key(int key);
