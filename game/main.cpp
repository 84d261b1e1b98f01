// The game's entry: start-up of SDL, the window, the fonts and sounds, then
// the board.
#include "board.h"
#include "font.h"
#include "screen.h"
#include "sound.h"

#include <SDL.h>
#include <SDL_gfxPrimitives.h>
#include <SDL_mixer.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>

constexpr int WINDOW_W = 640;
constexpr int WINDOW_H = 480;
constexpr const char *CAPTION = "Varnowick";
constexpr const char *PANEL_FONT = "./image/6x13.fnt";
constexpr int PANEL_FONT_BYTES = 3328; // 256 glyphs of 13 one-byte rows
constexpr int PANEL_FONT_W = 6;
constexpr int PANEL_FONT_H = 13;

static std::array<char, PANEL_FONT_BYTES> myfont; // SDL_gfx keeps a pointer to it
std::array<Mix_Chunk *, 2> turn;                  // "Player one" / "Player two"
std::array<Mix_Chunk *, 2> win;                   // the winner's sound

static void open_audio()
{
    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) == -1) {
        std::puts("Mix_OpenAudio error");
        std::printf("Oh My Goodness, an error : %s", SDL_GetError());
        std::exit(1);
    }
}

// The side panel's text font; the game cannot write its prompts and notes
// without all of it.
static void load_panel_font()
{
    std::ifstream in(PANEL_FONT, std::ios::binary);
    if (!in.read(myfont.data(), PANEL_FONT_BYTES)) {
        std::fprintf(stderr, "Cannot read the %d bytes of the text font %s\n",
                     PANEL_FONT_BYTES, PANEL_FONT);
        std::exit(1);
    }
    gfxPrimitivesSetFont(myfont.data(), PANEL_FONT_W, PANEL_FONT_H);
}

static void load_fixed_sounds()
{
    turn[0] = load_sound("./audio/player1.wav");
    turn[1] = load_sound("./audio/player2.wav");
    win[0] = load_sound("./audio/win1.wav");
    win[1] = load_sound("./audio/win2.wav");
}

void init_SDL_stuff()
{
    prefer_software_video();
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO) == -1) {
        std::printf("Could not initialize SDL: %s.\n", SDL_GetError());
        std::exit(-1);
    }
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

// Until the play arrives, the board stays up until the window is closed.
static void wait_for_quit()
{
    SDL_Event event;
    while (SDL_WaitEvent(&event) == 1) {
        if (event.type == SDL_QUIT)
            std::exit(0);
    }
}

int SDL_main(int argc, char **argv)
{
    init_SDL_stuff();
    setup_board(argc, argv);
    wait_for_quit();
    return 0;
}
