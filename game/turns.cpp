// The turns of the game.
#include "turns.h"

#include "ask.h"
#include "config.h"
#include "die.h"
#include "language.h"
#include "note.h"
#include "options.h"
#include "panel.h"
#include "paths.h"
#include "platform.h"
#include "sayings.h"
#include "screen.h"
#include "slide.h"
#include "sound.h"
#include "speak.h"
#include "squares.h"
#include "tokens.h"
#include "wait.h"

#include <SDL_gfxPrimitives.h>

#include <cstdio>
#include <string>

// A board in a language of its own shows the prompt in its words, drawn as
// its notes are; any other board the design's English.
static void show_prompt(int which)
{
    std::string language = version_language(location);
    std::string text;
    if (own_language(language)) {
        text = say_prompt(which, language);
        draw_text_line(screen, PANEL_X, PROMPT_Y, text, SDL_Color{255, 255, 255, 0});
    } else {
        text = "Player " + std::to_string(which + 1) + " - Roll the die";
        stringRGBA(screen, PANEL_X, PROMPT_Y, text.c_str(), 255, 255, 255, 255);
    }
    SDL_UpdateRect(screen, PANEL_X, PROMPT_Y, PROMPT_W, PROMPT_H);
    platform_announce(text);
}

// Steps the token one square at a time, never past 99. A quit ends the walk
// on the square reached.
static Outcome walk(int which, int roll)
{
    Player &p = player[which];
    int steps = walk_steps(p.square, roll);
    for (int i = 0; i < steps; i++) {
        SDL_Rect left = blist[p.square]->rect;
        p.square++;
        set_dest(which, p.square);
        redraw_tokens(left);
        speak_step();
        speak_pump();
        if (Outcome seen = game_wait(WALK_STEP_MS); seen != Outcome::go_on)
            return seen;
    }
    return Outcome::go_on;
}

// A square's note sound while it plays.
struct NoteSound {
    Mix_Chunk *chunk = nullptr; // null: nothing plays, nothing to wait for
    int channel = -1;
};

// Starts the note sound of a square. A sound that loaded but found no channel
// is released at once: nothing would ever wait for it (mended: see
// QUIRKS.md, 'unplayed note freed').
static NoteSound start_note_sound(int square)
{
    std::string path = square_sound_path(location, square);
    std::printf("Trying to play %s\n", path.c_str());
    NoteSound note;
    note.chunk = load_sound(path);
    if (note.chunk == nullptr)
        return note;
    note.channel = play_sound(note.chunk);
    if (note.channel == -1) {
        std::printf("Got a play error : %s\n", SDL_GetError());
        Mix_FreeChunk(note.chunk);
        note.chunk = nullptr;
    }
    return note;
}

// Who stops the die in the turn of player index `which`.
static Roller roller_of(int which)
{
    if (options.computer[which])
        return Roller::computer;
    return options.one_button ? Roller::any_button : Roller::space_bar;
}

static void clear_panel()
{
    SDL_Rect panel{PANEL_X, PROMPT_Y, PANEL_CLEAR_W, PANEL_CLEAR_H};
    SDL_FillRect(screen, &panel, SDL_MapRGB(screen->format, 0, 0, 0));
    SDL_UpdateRect(screen, PANEL_X, PROMPT_Y, PANEL_CLEAR_W, PANEL_CLEAR_H);
}

// The note's sound awaited, unless the game is being quit (`seen`), then
// released (which stops it).
static Outcome finish_note(NoteSound &note, Outcome seen)
{
    if (note.chunk == nullptr)
        return seen;
    if (seen == Outcome::go_on)
        seen = wait_for_channel(note.channel);
    Mix_FreeChunk(note.chunk);
    note.chunk = nullptr;
    return seen;
}

// The glide of a ladder or chute from the square reached, its note shown and
// its sound started; the sound is awaited after the panel is cleared.
static Outcome take_ladder_or_chute(int which, const Square &reached, NoteSound &note)
{
    note = start_note_sound(reached.number);
    display_note(reached.note, NOTE_WRAP, PANEL_X, NOTE_Y, NOTE_CHAR_W, NOTE_LINE_H);
    Outcome seen = slide(which, reached.number, reached.dest);
    player[which].square = reached.dest;
    return seen;
}

// The token's move by `roll`: the walk, the question of the square reached
// when it has one, the ladder or chute the rules then take, the panel
// cleared, the note awaited and the token set into its corner. `again` when
// a right answer on a plain square earns another roll.
static Outcome move_token(int which, int roll, bool &again)
{
    Player &p = player[which];
    again = false;
    Outcome seen = speak_roll(roll);
    if (seen == Outcome::go_on)
        seen = walk(which, roll);
    if (seen != Outcome::go_on)
        return seen;
    if (seen = speak_walked(p.square); seen != Outcome::go_on)
        return seen;
    const Square &reached = *blist[p.square];
    bool take = reached.dest != NO_DEST;
    if (question_on(reached.number)) {
        bool right = false;
        if (seen = ask_question(which, reached.number, right); seen != Outcome::go_on)
            return seen;
        take = take && answered_square(reached.number, reached.dest, right) != reached.number;
        again = answer_rolls_again(reached.dest, right);
    }
    NoteSound note;
    if (take)
        seen = take_ladder_or_chute(which, reached, note);
    clear_panel();
    if (seen = finish_note(note, seen); seen != Outcome::go_on)
        return seen;
    speak_landing(reached.number, p.square);
    set_dest(which, p.square);
    redraw_tokens(blist[p.square]->rect);
    return Outcome::go_on;
}

Outcome take_turn(int which)
{
    Player &p = player[which];
    show_prompt(which);
    // A missing turn sound waits for every channel (channel -1), as the
    // game always has; every sound plays once, so that wait ends too
    // (kept: see QUIRKS.md, 'silent turn waits'). Under --speak the turn's
    // phrase names the player with the turn clip in its place, once, and
    // ends before the die rattles.
    Outcome seen = speak_finish();
    if (seen == Outcome::go_on && !options.speak)
        seen = wait_for_channel(play_sound(turn[which]));
    if (seen == Outcome::go_on && options.speak) {
        speak_turn(which, options.computer[which]);
        seen = speak_finish();
    }
    for (bool again = true; again;) {
        int roll = 0;
        if (seen == Outcome::go_on)
            seen = roll_die(roller_of(which), roll);
        if (seen != Outcome::go_on)
            return seen;
        if (seen = move_token(which, roll, again); seen != Outcome::go_on)
            return seen;
        // A right answer's roll comes at once, without the turn sound.
        if (again && p.square != WIN_SQUARE) {
            show_prompt(which);
            speak_turn(which, options.computer[which]);
        }
        again = again && p.square != WIN_SQUARE;
    }
    return p.square == WIN_SQUARE ? Outcome::won : Outcome::go_on;
}

int player_turn(int which)
{
    return take_turn(which) == Outcome::won ? 1 : 0;
}
