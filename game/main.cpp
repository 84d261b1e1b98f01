// The game's entry: start-up of SDL, the window, the fonts and sounds, the
// die, the board and the tokens, then the turns until a token reaches 99.
#include "board.h"
#include "config.h"
#include "die.h"
#include "font.h"
#include "guards.h"
#include "note.h"
#include "options.h"
#include "paths.h"
#include "screen.h"
#include "sound.h"
#include "speak.h"
#include "tokens.h"
#include "turns.h"

#include <SDL.h>
#include <SDL_gfxPrimitives.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

constexpr int PANEL_FONT_W = 6;
constexpr int PANEL_FONT_H = 13;
constexpr std::size_t PANEL_FONT_MAX_BYTES = 1 << 16; // only the first 3328 bytes are used

static std::array<char, PANEL_FONT_BYTES> myfont; // SDL_gfx keeps a pointer to it

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

// With --one-button a joystick's or gamepad's buttons stop the die too; the
// game opens none without it. A machine without them plays on keys and mouse.
static void open_joysticks()
{
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == -1) {
        std::fprintf(stderr, "boardgame: no joystick buttons: %s\n", SDL_GetError());
        return;
    }
    for (int i = 0; i < SDL_NumJoysticks(); i++)
        if (SDL_JoystickOpen(i) == nullptr)
            std::fprintf(stderr, "boardgame: cannot open joystick %d: %s\n", i, SDL_GetError());
    SDL_JoystickEventState(SDL_ENABLE);
}

static void init_SDL_stuff()
{
    start_SDL(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO);
    if (options.one_button)
        open_joysticks();
    if (!open_audio()) {
        std::puts("Mix_OpenAudio error");
        std::printf("Oh My Goodness, an error : %s", SDL_GetError()); // (kept: see QUIRKS.md, 'Oh My Goodness')
        std::exit(1);
    }
    open_window();
    Font_setup();
    load_panel_font();
    load_fixed_sounds(player_count);
}

// What the winner's index prints.
static constexpr std::array<const char *, MAX_PLAYERS> WIN_LINES = {
    "Player 1 wins!", "Player 2 wins", "Player 3 wins!", "Player 4 wins!"};

// The winner's sound plays to its end before the line; a missing sound waits
// only for whatever else still plays. The game has always ended a win with
// status 1 (a launcher asks for 0 with --win-status 0), and Player 2's line
// has never had an exclamation mark. Under --speak, what is still being said
// ends before the sound, and "Player N wins" is said to its end after it.
[[noreturn]] static void win_ending(int which)
{
    speak_finish();
    wait_for_channel(play_sound(win[which]));
    speak_win(which);
    std::puts(WIN_LINES[which]); // (kept: see QUIRKS.md, 'Player 2 wins')
    std::exit(options.win_status); // 1 unless --win-status 0 (kept: see QUIRKS.md, 'win is 1')
}

// C linkage: SDL's main wrapper calls it by that name on Windows. The
// options stand in front of the version; the board sees the version as its
// argv[1], as it always has.
extern "C" int SDL_main(int argc, char **argv)
{
    int first = parse_options(argc, argv);
    if (options.end != OptionsEnd::GO_ON)
        std::exit(options_status(options.end)); // help, version or a usage error, already printed
    player_count = options.players;
    init_SDL_stuff();
    dice_setup();
    setup_board(argc - first + 1, argv + first - 1);
    setup_players();
    if (options.speak)
        speak_setup(location);
    for (;;)
        for (int which = 0; which < player_count; which++)
            if (player_turn(which) == 1)
                win_ending(which);
}
