// The game's entry: start-up of SDL, the window, the fonts and sounds, the
// die, the board and the tokens, then the turns until a token reaches 99.
// Everything below returns how it ended; only here does the process end.
#include "ask.h"
#include "board.h"
#include "chooser.h"
#include "config.h"
#include "die.h"
#include "font.h"
#include "guards.h"
#include "language.h"
#include "menu.h"
#include "note.h"
#include "options.h"
#include "panel.h"
#include "paths.h"
#include "sayings.h"
#include "screen.h"
#include "sound.h"
#include "speak.h"
#include "tokens.h"
#include "turns.h"
#include "wait.h"

#include <SDL.h>
#include <SDL_gfxPrimitives.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

constexpr std::size_t PANEL_FONT_MAX_BYTES = 1 << 16; // only the first 3328 bytes are used

static std::array<char, PANEL_FONT_BYTES> myfont; // SDL_gfx keeps a pointer to it

// The side panel's text font; the game cannot write its prompts and notes
// without all of it. A missing or short file is said plainly; any other fault
// (a folder, a FIFO, a device, a huge file) is named after it.
static std::optional<Failure> load_panel_font()
{
    FileRead font = read_regular_file(PANEL_FONT, PANEL_FONT_MAX_BYTES);
    if (!font.ok || font.bytes.size() < PANEL_FONT_BYTES) {
        std::string why = font.ok || font.missing ? "" : ": " + font.fault;
        std::string message = "Cannot read the " + std::to_string(PANEL_FONT_BYTES) +
                              " bytes of the text font " + PANEL_FONT + why + "\n";
        // Started in the wrong folder, the font is the first file the game misses.
        if (font.missing)
            message += "boardgame: " + working_folder_hint(PANEL_FONT + 2) + "\n";
        return Failure{1, message};
    }
    std::memcpy(myfont.data(), font.bytes.data(), PANEL_FONT_BYTES);
    gfxPrimitivesSetFont(myfont.data(), PANEL_FONT_W, PANEL_FONT_H);
    load_note_glyphs();
    return std::nullopt;
}

static std::optional<Failure> init_SDL_stuff()
{
    if (auto fault = start_SDL(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO))
        return fault;
    if (options.one_button)
        open_joysticks();
    if (!open_audio())
        return Failure{1, std::string("Mix_OpenAudio error\nOh My Goodness, an error : ") + SDL_GetError(),
                       true}; // (kept: see QUIRKS.md, 'Oh My Goodness')
    if (auto fault = open_window())
        return fault;
    Font_setup();
    if (auto fault = load_panel_font())
        return fault;
    load_fixed_sounds(player_count); // under --menu, more as the menu adds players
    return std::nullopt;
}

// What the winner's index prints.
static constexpr std::array<const char *, MAX_PLAYERS> WIN_LINES = {
    "Player 1 wins!", "Player 2 wins", "Player 3 wins!", "Player 4 wins!"};

// A board with questions shows each player's right answers in the panel
// while the win sound plays.
static void show_tally(const std::vector<std::string> &tally)
{
    if (tally.empty())
        return;
    stringRGBA(screen, PANEL_X, NOTE_Y, "Right answers:", 255, 255, 255, 255);
    for (std::size_t i = 0; i < tally.size(); i++)
        stringRGBA(screen, PANEL_X, Sint16(NOTE_Y + NOTE_LINE_H * int(i + 1)), tally[i].c_str(), 255,
                   255, 255, 255);
    SDL_UpdateRect(screen, PANEL_X, NOTE_Y, PANEL_CLEAR_W, NOTE_LINE_H * int(tally.size() + 1));
}

// The winner's sound plays to its end before the line; a missing sound waits
// only for whatever else still plays. Player 2's line has never had an
// exclamation mark. What is still being said ends first; under --speak
// "Player N wins" is said to its end in place of the sound, its clip the
// win sound. A board in a language of its own shows its win words where
// the prompt was.
static Outcome win_ending(int which)
{
    std::vector<std::string> tally = answer_tally();
    show_tally(tally);
    std::string language = version_language(location);
    if (own_language(language)) {
        draw_text_line(screen, PANEL_X, PROMPT_Y, say_win_words(which, language), SDL_Color{255, 255, 255, 0});
        SDL_UpdateRect(screen, PANEL_X, PROMPT_Y, PROMPT_W, PROMPT_H);
    }
    Outcome seen = speak_finish();
    // Under --speak the win phrase's clip is the win sound: the winner is
    // named once.
    if (seen == Outcome::go_on)
        seen = options.speak ? speak_win(which) : wait_for_channel(play_sound(win[which]));
    if (seen != Outcome::go_on)
        return seen;
    std::puts(WIN_LINES[which]); // (kept: see QUIRKS.md, 'Player 2 wins')
    for (const std::string &line : tally)
        std::puts(line.c_str());
    return Outcome::won;
}

// The turns, Player 1 first, until a token wins (its index in `winner`) or
// the game is quit.
static Outcome play_game(int &winner)
{
    for (;;)
        for (int which = 0; which < player_count; which++) {
            Outcome seen = take_turn(which);
            winner = which;
            if (seen == Outcome::won)
                return win_ending(which);
            if (seen != Outcome::go_on)
                return seen;
        }
}

// Whether the command line asked for anything beyond the design's game: the
// waits then watch the window, so Escape and the close button end the game
// wherever it is.
static bool own_options_given()
{
    bool computer = false;
    for (bool plays : options.computer)
        computer = computer || plays;
    return options.players != PLAYERS || computer || options.one_button || options.speak || options.menu ||
           options.fullscreen || options.scale != 1;
}

// The process ends here, with the design's words and status: 0 when quit, 1
// after a win unless a launcher asks for 0 with --win-status 0 (kept: see
// QUIRKS.md, 'win is 1'), and a start-up failure's own. The exit handlers
// close the audio device and shut SDL down.
[[noreturn]] static void end_game(Outcome outcome)
{
    if (outcome == Outcome::quit_key)
        std::puts("Quit Button pressed");
    else if (outcome == Outcome::quit_window)
        std::puts("SDL QUIT called "); // (kept: see QUIRKS.md, 'SDL QUIT blank')
    std::exit(outcome == Outcome::won ? options.win_status : 0);
}

[[noreturn]] static void end_failed(const Failure &failure)
{
    say_failure(failure);
    std::exit(failure.status);
}

// One game of the front door, as the menu set it: the board built again,
// the tokens on 0, speaking as chosen. A board that cannot be built is said
// and the menu comes back (quit_key).
static Outcome play_chosen_game(int &winner)
{
    player_count = options.players;
    load_fixed_sounds(player_count);
    if (options.one_button)
        open_joysticks();
    static bool die_ready = false; // set up for the menu's first game, once a run
    if (!die_ready)
        dice_setup();
    die_ready = true;
    SDL_FillRect(screen, nullptr, 0);
    if (auto fault = build_board(options.version, false)) {
        say_failure(*fault);
        return Outcome::quit_key;
    }
    setup_players();
    load_board_sounds(location, player_count);
    questions_setup(options.version);
    speak_choices(false, "");
    if (options.speak)
        speak_setup(location);
    else
        speak_stop();
    Outcome seen = play_game(winner);
    speak_stop(); // a game left by Escape leaves nothing to say in the menu
    return seen;
}

// Under --menu: the menu, the games it starts and the win screen after each,
// until Quit; Escape in a game goes back to the menu.
static Outcome front_door()
{
    bool at_menu = true;
    for (;;) {
        if (at_menu) {
            if (Outcome seen = run_menu(); seen != Outcome::go_on)
                return seen;
        }
        int winner = 0;
        Outcome seen = play_chosen_game(winner);
        at_menu = true;
        if (seen == Outcome::quit_window)
            return seen;
        if (seen != Outcome::won)
            continue;
        AfterWin after = AfterWin::menu;
        if (seen = win_screen(WIN_LINES[std::size_t(winner)], after); seen != Outcome::go_on)
            return seen;
        if (after == AfterWin::quit)
            return Outcome::quit_key;
        at_menu = after == AfterWin::menu;
    }
}

// C linkage: SDL's main wrapper calls it by that name on Windows. The
// options stand in front of the version.
extern "C" int SDL_main(int argc, char **argv)
{
    parse_options(argc, argv);
    if (options.end != OptionsEnd::GO_ON)
        std::exit(options_status(options.end)); // help, version or a usage error, already printed
    std::string version = options.version;
    player_count = options.players;
    watch_window = own_options_given();
    set_window_size(options.fullscreen, options.scale);
    if (auto fault = init_SDL_stuff())
        end_failed(*fault);
    if (options.menu) // the die when a game starts: the menu's first frame comes sooner
        end_game(front_door());
    dice_setup();
    if (auto fault = build_board(version, false))
        end_failed(*fault);
    setup_players();
    load_board_sounds(location, player_count);
    questions_setup(version);
    if (options.speak)
        speak_setup(location);
    int winner = 0;
    end_game(play_game(winner));
}
