// The game's speech: clips joined into phrases on the speech channel.
#include "speak.h"

#include "config.h"
#include "language.h"
#include "paths.h"
#include "sound.h"
#include "squares.h"
#include "tokens.h"
#include "utf8.h"
#include "wait.h"
#include "wavguard.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <map>
#include <vector>

// One phrase waiting or playing: its printed words and the sounds it is
// joined from, in the mixer's own format. The sounds are the clips, each
// converted once and kept (or the last note's, kept while a key's phrase may
// want it): a phrase holds no samples of its own, so memory stays the same
// however often phrases repeat (mended: see QUIRKS.md, 'clips once').
struct Spoken {
    std::string says;
    std::vector<const Mix_Chunk *> parts;
    bool asked = false; // asked for by a key: p, n, b or h
};

static bool speaking = false;             // --speak: set by speak_setup
static bool choices_speaking = false;     // the chooser's items said: speak_choices
static std::string choices_language;
static std::string speak_version;
static std::string speak_language;
// Loaded once, null when missing, and kept until the process ends like the
// game's other sounds: the table is never destroyed, so no exit handler
// frees it before the mixer is closed.
static std::map<std::string, Mix_Chunk *> &clips = *new std::map<std::string, Mix_Chunk *>;
static std::deque<Spoken> waiting;
static Spoken playing;
// The playing phrase's clips joined, gaps between them: one buffer, refilled
// for each phrase once the channel is quiet, under playing_chunk.
static std::vector<Uint8> &joined = *new std::vector<Uint8>;
static Mix_Chunk *playing_chunk = nullptr; // over joined; freed when it ends
static int last_note = NO_DEST;           // the square of the last note sound played
static Mix_Chunk *note_sound = nullptr;   // its sound for the key n, loaded once
static int note_sound_square = NO_DEST;
static int gap_bytes = 0;                 // SPEECH_GAP_MS of silence in the mixer's format
static Mix_Chunk *tick = nullptr;         // WALK_TICK_SOUND, loaded once and kept
static bool tick_loaded = false;

// A clip's sound, or null (said on standard error) when it is not usable or
// lasts longer than any clip of a phrase needs.
static Mix_Chunk *load_clip(const std::string &path)
{
    WavInfo check = check_wav_file(path);
    if (check.playable && check.ms > SAY_CLIP_MAX_MS) {
        std::fprintf(stderr, "Cannot use the clip %s: it lasts %.1f s, and a clip of a phrase "
                             "lasts at most %d s; left out\n",
                     terminal_text(path).c_str(), check.ms / 1000, int(SAY_CLIP_MAX_MS / 1000));
        return nullptr;
    }
    return load_sound(path);
}

// Clip `name` in `language`, looked for first in `version`'s own say/ folder.
static Mix_Chunk *clip(const std::string &version, const std::string &language, const std::string &name)
{
    std::string key = version + '\n' + language + '\n' + name;
    auto known = clips.find(key);
    if (known != clips.end())
        return known->second;
    Mix_Chunk *found = nullptr;
    for (const std::string &path : say_clip_paths(version, language, name)) {
        found = load_clip(path);
        if (found != nullptr)
            break;
    }
    clips[key] = found;
    return found;
}

static void append_sound(Spoken &spoken, const Mix_Chunk *chunk)
{
    if (chunk != nullptr)
        spoken.parts.push_back(chunk);
}

// Joins the playing phrase's sounds into `joined`; false when it has none.
static bool join_playing()
{
    joined.clear();
    for (const Mix_Chunk *part : playing.parts) {
        if (!joined.empty())
            joined.insert(joined.end(), std::size_t(gap_bytes), Uint8(0));
        joined.insert(joined.end(), part->abuf, part->abuf + part->alen);
    }
    return !joined.empty();
}

static void queue(Spoken spoken)
{
    waiting.push_back(std::move(spoken));
    speak_pump();
}

// Drops what the keys asked for and is not yet said, and cuts short what
// they asked for and is being said: a key asked again, or the roll, moves on
// at once, and the game never waits for answers nobody listens to any more.
static void drop_asked()
{
    waiting.erase(std::remove_if(waiting.begin(), waiting.end(),
                                 [](const Spoken &spoken) { return spoken.asked; }),
                  waiting.end());
    if (playing.asked && Mix_Playing(SPEECH_CHANNEL) != 0)
        Mix_HaltChannel(SPEECH_CHANNEL);
}

// A phrase a key asked for, in place of any other one.
static void queue_asked(Spoken spoken)
{
    drop_asked();
    spoken.asked = true;
    queue(std::move(spoken));
}

static bool busy()
{
    return !waiting.empty() || Mix_Playing(SPEECH_CHANNEL) != 0;
}

bool speak_busy()
{
    return speaking && busy();
}

// Whether clip `name` of the version's language is there, in the version's
// own folder or among the shipped clips, rather than only in English.
static bool own_clip_found(const std::string &name)
{
    std::vector<std::string> paths = say_clip_paths(speak_version, speak_language, name);
    paths.pop_back(); // the English fallback
    std::error_code error;
    for (const std::string &path : paths)
        if (std::filesystem::is_regular_file(path, error))
            return true;
    return false;
}

// Keeps SPEECH_CHANNEL for speech and measures the gap between clips.
static void reserve_speech_channel()
{
    Mix_ReserveChannels(SPEECH_CHANNEL + 1);
    int rate = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    // Whole sample frames of zeros: silence in the signed formats the device
    // is opened in; the low byte of a format is its bits per sample.
    gap_bytes = rate * SPEECH_GAP_MS / 1000 * channels * ((format & 0xFF) / 8);
}

// Nothing of a game played before in this run is said after it, nor its
// board's note sound kept for the key n.
static void forget_game()
{
    waiting.clear();
    if (speaking) // only then is the channel the speech's own
        Mix_HaltChannel(SPEECH_CHANNEL);
    last_note = NO_DEST;
    if (note_sound != nullptr)
        Mix_FreeChunk(note_sound);
    note_sound = nullptr;
    note_sound_square = NO_DEST;
}

void speak_setup(const std::string &version)
{
    forget_game();
    speaking = true;
    speak_version = version;
    speak_language = version_language(version);
    // The lines print the words the clips say: a board whose clips in its
    // language were never made speaks, and prints, the English ones.
    if (!own_clip_found("roll"))
        speak_language = SAY_FALLBACK_LANGUAGE;
    reserve_speech_channel();
    if (!tick_loaded)
        tick = load_sound(WALK_TICK_SOUND);
    tick_loaded = true;
}

void speak_stop()
{
    forget_game();
    speaking = false;
}

void speak_choices(bool on, const std::string &language)
{
    choices_speaking = on;
    choices_language = language;
    if (on)
        reserve_speech_channel();
}

static Spoken spoken_phrase(const Phrase &phrase)
{
    Spoken spoken;
    spoken.says = phrase.text;
    for (const std::string &name : phrase.clips)
        append_sound(spoken, clip(speak_version, speak_language, name));
    return spoken;
}

void speak(const Phrase &phrase)
{
    if (speaking)
        queue(spoken_phrase(phrase));
}

void speak_pump()
{
    if (!(speaking || choices_speaking) || Mix_Playing(SPEECH_CHANNEL) != 0)
        return;
    if (playing_chunk != nullptr) {
        Mix_FreeChunk(playing_chunk); // the chunk only; its samples are in joined
        playing_chunk = nullptr;
    }
    while (!waiting.empty()) {
        playing = std::move(waiting.front());
        waiting.pop_front();
        // A note's control bytes are shown, not sent to the terminal.
        std::printf("Says: %s\n", terminal_text(playing.says).c_str());
        if (!join_playing())
            continue; // every clip missing: said in print only
        // Nothing is heard under the words: the rattle stops, and the die
        // does not start it again while anything is said (speak_busy).
        if (speaking)
            Mix_HaltChannel(RATTLE_CHANNEL);
        playing_chunk = Mix_QuickLoad_RAW(joined.data(), Uint32(joined.size()));
        if (playing_chunk != nullptr &&
            Mix_PlayChannelTimed(SPEECH_CHANNEL, playing_chunk, 0, -1) == SPEECH_CHANNEL)
            return;
        if (playing_chunk != nullptr)
            Mix_FreeChunk(playing_chunk);
        playing_chunk = nullptr;
    }
}

Outcome speak_finish()
{
    while ((speaking || choices_speaking) && busy()) {
        speak_pump();
        if (Outcome seen = wait_for_channel(SPEECH_CHANNEL); seen != Outcome::go_on)
            return seen;
    }
    return Outcome::go_on;
}

void speak_turn(int which, bool computer)
{
    speak(computer ? phrase_computer_turn(which, speak_language) : phrase_turn(which, speak_language));
}

Outcome speak_roll(int roll)
{
    if (!speaking)
        return Outcome::go_on;
    drop_asked();
    Mix_HaltChannel(RATTLE_CHANNEL);
    // The rattle's end and the number are heard apart.
    if (Outcome seen = game_wait(ROLL_PAUSE_MS); seen != Outcome::go_on)
        return seen;
    speak(phrase_roll(roll, speak_language));
    // The number is heard before the walk's ticks count it out.
    return speak_finish();
}

void speak_step()
{
    if (speaking)
        play_sound(tick);
}

Outcome speak_walked(int square)
{
    speak(phrase_square(square, speak_language));
    if (!speaking || blist[square]->dest == NO_DEST)
        return Outcome::go_on;
    last_note = square;
    return speak_finish();
}

void speak_landing(int from, int to)
{
    if (to != from)
        speak(phrase_landing(from, to, speak_language));
}

Outcome speak_win(int which)
{
    speak(phrase_win(which, speak_language));
    return speak_finish();
}

// The last note's sound on the speech channel, its text on the Says line.
static void speak_last_note()
{
    Spoken spoken;
    spoken.says = blist[last_note]->note;
    std::size_t start = spoken.says.find_first_not_of(" \t");
    std::size_t end = spoken.says.find_last_not_of(" \t\r\n");
    spoken.says = start == std::string::npos ? "" : spoken.says.substr(start, end - start + 1);
    // Only a key's phrase holds the note's sound, and none waits once the
    // keys' phrases are dropped: then the sound may change.
    drop_asked();
    if (note_sound_square != last_note) {
        if (note_sound != nullptr)
            Mix_FreeChunk(note_sound);
        note_sound = load_sound(square_sound_path(location, last_note));
        note_sound_square = last_note;
    }
    append_sound(spoken, note_sound);
    queue_asked(std::move(spoken));
}

void speak_lit(const Phrase &phrase, const std::string &version)
{
    if (!choices_speaking)
        return;
    Spoken spoken;
    spoken.says = phrase.text;
    for (const std::string &name : phrase.clips)
        append_sound(spoken, clip(version, choices_language, name));
    queue_asked(std::move(spoken));
}

// A recorded sound said after the clips of `lead`, if any.
static void speak_recorded_after(const Phrase &lead, const std::string &path,
                                 const std::string &words)
{
    if (!speaking)
        return;
    Spoken spoken;
    if (!lead.clips.empty()) {
        spoken = spoken_phrase(lead);
        spoken.says += " ";
    }
    spoken.says += words;
    // A phrase holds its sounds until it has been said: the recording is
    // loaded once and kept with the clips (no clip's key starts with a line
    // end), so a question asked again costs nothing more.
    std::string key = "\n" + path;
    auto known = clips.find(key);
    if (known == clips.end())
        known = clips.emplace(key, load_sound(path)).first;
    append_sound(spoken, known->second);
    queue(std::move(spoken));
}

void speak_recorded(int number, const std::string &path, const std::string &words)
{
    speak_recorded_after(number > 0 ? phrase_number(number, speak_language) : Phrase(), path,
                         words);
}

void speak_right(bool praised)
{
    speak(phrase_verdict(praised, speak_language));
}

void speak_right_answer(const std::string &path, const std::string &words)
{
    speak_recorded_after(phrase_answer_is(speak_language), path, words);
}

// Every ladder and chute, by start square.
static Phrase board_phrase()
{
    std::vector<std::pair<int, int>> leads;
    for (int square = 0; square <= WIN_SQUARE; square++)
        if (blist[square]->dest != NO_DEST)
            leads.emplace_back(square, blist[square]->dest);
    return phrase_board(leads, speak_language);
}

bool speak_key(int key)
{
    if (!speaking)
        return false;
    drop_asked(); // any key cuts an answer short
    if (key == SDLK_p) {
        std::vector<int> squares;
        for (int which = 0; which < player_count; which++)
            squares.push_back(player[std::size_t(which)].square);
        queue_asked(spoken_phrase(phrase_positions(squares, speak_language)));
    } else if (key == SDLK_n) {
        if (last_note != NO_DEST)
            speak_last_note();
        else
            queue_asked(spoken_phrase(phrase_no_note(speak_language)));
    } else if (key == SDLK_b) {
        queue_asked(spoken_phrase(board_phrase()));
    } else if (key == SDLK_h) {
        queue_asked(spoken_phrase(phrase_help(speak_language)));
    } else {
        return false;
    }
    return true;
}
