// The game's entry: start-up of SDL, the window, the fonts and sounds, the
// die, the board and the tokens, then the turns until a token reaches 99.
#include "board.h"
#include "die.h"
#include "font.h"
#include "guards.h"
#include "note.h"
#include "paths.h"
#include "screen.h"
#include "sound.h"
#include "tokens.h"
#include "turns.h"

#include <SDL.h>
#include <SDL_gfxPrimitives.h>
#include <SDL_mixer.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

constexpr int PANEL_FONT_W = 6;
constexpr int PANEL_FONT_H = 13;
constexpr std::size_t PANEL_FONT_MAX_BYTES = 1 << 16; // only the first 3328 bytes are used

static std::array<char, PANEL_FONT_BYTES> myfont; // SDL_gfx keeps a pointer to it

static void open_audio()
{
    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) == -1) {
        std::puts("Mix_OpenAudio error");
        std::printf("Oh My Goodness, an error : %s", SDL_GetError()); // (kept: see QUIRKS.md, 'Oh My Goodness')
        std::exit(1);
    }
}

// The side panel's text font; the game cannot write its prompts and notes
// without all of it. A missing or short file is said plainly; any other fault
// (a folder, a FIFO, a device, a huge file) is named after it.
static void load_panel_font()
{
    FileRead font = read_regular_file(PANEL_FONT, PANEL_FONT_MAX_BYTES);
    if (!font.ok || font.bytes.size() < PANEL_FONT_BYTES) {
        std::string why = font.ok || font.missing ? "" : ": " + font.fault;
        std::fprintf(stderr, "Cannot read the %d bytes of the text font %s%s\n",
                     PANEL_FONT_BYTES, PANEL_FONT, why.c_str());
        // Started in the wrong folder, the font is the first file the game misses.
        if (font.missing)
            std::fprintf(stderr, "boardgame: %s\n", working_folder_hint(PANEL_FONT + 2).c_str());
        std::exit(1);
    }
    std::memcpy(myfont.data(), font.bytes.data(), PANEL_FONT_BYTES);
    gfxPrimitivesSetFont(myfont.data(), PANEL_FONT_W, PANEL_FONT_H);
    load_note_glyphs();
}

void init_SDL_stuff()
{
    prefer_software_video();
    require_display();
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO) == -1) {
        std::printf("Could not initialize SDL: %s.\n", SDL_GetError());
        std::exit(-1); // (kept: see QUIRKS.md, 'SDL failure -1')
    }
    require_visible_video();
    open_audio();
    // Registered in this order so that at exit the audio device closes first.
    std::atexit(SDL_Quit);
    std::atexit(Mix_CloseAudio);
    screen_flags = SDL_SRCCOLORKEY;
    change_screen(WINDOW_W, WINDOW_H);
    SDL_WM_SetCaption(CAPTION, CAPTION);
    Font_setup();
    load_panel_font();
    load_fixed_sounds();
}

// The winner's sound plays to its end before the line; a missing sound waits
// only for whatever else still plays. The game has always ended a win with
// status 1, and Player 2's line has never had an exclamation mark.
[[noreturn]] static void win_ending(int which)
{
    wait_for_channel(play_sound(win[which]));
    std::puts(which == 0 ? "Player 1 wins!" : "Player 2 wins"); // (kept: see QUIRKS.md, 'Player 2 wins')
    std::exit(1); // (kept: see QUIRKS.md, 'win is 1')
}

// C linkage: SDL's main wrapper calls it by that name on Windows.
extern "C" int SDL_main(int argc, char **argv)
{
    init_SDL_stuff();
    dice_setup();
    setup_board(argc, argv);
    setup_players();
    for (;;) {
        if (player_turn(0) == 1)
            win_ending(0);
        if (player_turn(1) == 1)
            win_ending(1);
    }
}
