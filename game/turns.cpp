// The turns of the game.
#include "turns.h"

#include "config.h"
#include "die.h"
#include "note.h"
#include "options.h"
#include "paths.h"
#include "screen.h"
#include "slide.h"
#include "sound.h"
#include "speak.h"
#include "squares.h"
#include "tokens.h"

#include <SDL_gfxPrimitives.h>

#include <cstdio>
#include <string>

constexpr int PANEL_X = 490;       // left edge of the panel's text
constexpr int PROMPT_Y = 230;
constexpr int PROMPT_W = 150;
constexpr int PROMPT_H = 20;
constexpr int NOTE_Y = 300;
constexpr int NOTE_WRAP = 23;      // lines of at most 22 cells
constexpr int NOTE_CHAR_W = 6;
constexpr int NOTE_LINE_H = 15;    // 13-pixel rows with 2 pixels between
constexpr int PANEL_CLEAR_W = 150; // the prompt and every note line
constexpr int PANEL_CLEAR_H = 200;

static void show_prompt(int which)
{
    std::string text = "Player " + std::to_string(which + 1) + " - Roll the die";
    stringRGBA(screen, PANEL_X, PROMPT_Y, text.c_str(), 255, 255, 255, 255);
    SDL_UpdateRect(screen, PANEL_X, PROMPT_Y, PROMPT_W, PROMPT_H);
}

// Steps the token one square at a time, never past 99.
static void walk(int which, int roll)
{
    Player &p = player[which];
    int steps = walk_steps(p.square, roll);
    for (int i = 0; i < steps; i++) {
        SDL_Rect left = blist[p.square]->rect;
        p.square++;
        set_dest(which, p.square);
        redraw_tokens(left);
        speak_pump();
        SDL_Delay(WALK_STEP_MS);
    }
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

int player_turn(int which)
{
    Player &p = player[which];
    show_prompt(which);
    speak_finish();
    // A missing turn sound waits for every channel (channel -1), as the
    // game always has; every sound plays once, so that wait ends too
    // (kept: see QUIRKS.md, 'silent turn waits').
    wait_for_channel(play_sound(turn[which]));
    // Whose turn is said before the die rattles over it.
    speak_turn(which);
    speak_finish();
    NoteSound note;
    int roll = roll_die(roller_of(which));
    speak_roll(roll);
    walk(which, roll);
    speak_walked(p.square);
    const Square &reached = *blist[p.square];
    if (reached.dest != NO_DEST) {
        note = start_note_sound(reached.number);
        display_note(reached.note, NOTE_WRAP, PANEL_X, NOTE_Y, NOTE_CHAR_W, NOTE_LINE_H);
        slide(which, reached.number, reached.dest);
        p.square = reached.dest;
    }
    clear_panel();
    if (note.chunk != nullptr) {
        wait_for_channel(note.channel);
        Mix_FreeChunk(note.chunk);
    }
    speak_landing(reached.number, p.square);
    set_dest(which, p.square);
    redraw_tokens(blist[p.square]->rect);
    return p.square == WIN_SQUARE ? 1 : 0;
}
