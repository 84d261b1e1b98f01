// The die: its faces, its rattle and the roll.
#include "die.h"

#include "images.h"
#include "paths.h"
#include "rules.h"
#include "screen.h"
#include "sound.h"
#include "speak.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

SDL_Surface *Die = nullptr;
SDL_Rect D_src;
SDL_Rect D_dest;
Mix_Chunk *dice_click = nullptr;

void dice_setup()
{
    Die = read_xpm(die_xpm);
    D_dest = SDL_Rect{DIE_X, DIE_Y, DIE_SIZE, DIE_SIZE};
    D_src = SDL_Rect{0, 0, DIE_SIZE, DIE_SIZE};
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    dice_click = load_sound(RATTLE_SOUND);
}

static void show_face(int face)
{
    D_src.x = Sint16(DIE_SIZE * face);
    SDL_Rect to = D_dest; // the blit writes its clipped rectangle back
    if (Die != nullptr)
        SDL_UpperBlit(Die, &D_src, screen, &to);
    SDL_UpdateRect(screen, DIE_X, DIE_Y, DIE_SIZE, DIE_SIZE);
}

// The computer stops the die after 0.8 to 2 s of 50 ms frames.
constexpr int COMPUTER_MIN_FRAMES = 16;
constexpr int COMPUTER_MAX_FRAMES = 40;

static bool is_wheel(Uint8 button)
{
    return button == SDL_BUTTON_WHEELUP || button == SDL_BUTTON_WHEELDOWN;
}

// What one event means to the roll: true when it stops the die for `roller`.
// Escape and the window's close end the game here, from inside the roll,
// whoever rolls.
static bool ends_roll(const SDL_Event &event, Roller roller)
{
    if (event.type == SDL_KEYUP) {
        std::printf("Got a keyup of %d\n", int(event.key.keysym.sym));
        bool spoke = speak_key(event.key.keysym.sym); // p, n and h ask, and do not roll
        if (event.key.keysym.sym == SDLK_ESCAPE) {
            std::puts("Quit Button pressed");
            std::exit(0);
        }
        return !spoke && (roller == Roller::any_button ||
                          (roller == Roller::space_bar && event.key.keysym.sym == SDLK_SPACE));
    }
    if (event.type == SDL_QUIT) {
        std::puts("SDL QUIT called "); // (kept: see QUIRKS.md, 'SDL QUIT blank')
        std::exit(0);
    }
    if (roller != Roller::any_button)
        return false;
    // A wheel turned by the way is no press of a switch.
    return (event.type == SDL_MOUSEBUTTONUP && !is_wheel(event.button.button)) ||
           event.type == SDL_JOYBUTTONUP;
}

int roll_die(Roller roller)
{
    int stop_frame = -1;
    if (roller == Roller::computer)
        stop_frame = COMPUTER_MIN_FRAMES + std::rand() % (COMPUTER_MAX_FRAMES - COMPUTER_MIN_FRAMES + 1);
    int toggle = 0;
    for (int frame = 0;; frame++) {
        int face = std::rand() % DIE_FACES;
        // The rattle restarts on every second frame; a start on its own
        // channel cuts off what still plays there.
        if (toggle == 0 && dice_click != nullptr)
            Mix_PlayChannelTimed(RATTLE_CHANNEL, dice_click, 0, -1);
        toggle = (toggle + 1) % 2;
        show_face(face);
        speak_pump();
        SDL_Event event;
        // One event a frame (kept: see QUIRKS.md, 'keys queue').
        if (SDL_PollEvent(&event) == 1 && ends_roll(event, roller))
            return face + 1;
        if (frame == stop_frame)
            return face + 1;
        SDL_Delay(DIE_FRAME_MS);
    }
}

int roll_die()
{
    return roll_die(Roller::space_bar);
}
