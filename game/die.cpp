// The die: its faces, its rattle and the roll.
#include "die.h"

#include "images.h"
#include "paths.h"
#include "rules.h"
#include "screen.h"
#include "sound.h"
#include "speak.h"
#include "wait.h"

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

// What one event means to the roll: won when it stops the die for `roller`
// (the roll is won, as it were), a quit when Escape or the window's close
// ends the game, whoever rolls, and go_on otherwise.
static Outcome ends_roll(const SDL_Event &event, Roller roller)
{
    if (event.type == SDL_KEYUP) {
        std::printf("Got a keyup of %d\n", int(event.key.keysym.sym));
        if (event.key.keysym.sym == SDLK_F11) { // full screen or back, and no roll
            toggle_full_screen();
            return Outcome::go_on;
        }
        bool spoke = speak_key(event.key.keysym.sym); // p, n, b and h ask, and do not roll
        if (event.key.keysym.sym == SDLK_ESCAPE)
            return Outcome::quit_key;
        bool stops = !spoke && (roller == Roller::any_button ||
                                (roller == Roller::space_bar && event.key.keysym.sym == SDLK_SPACE));
        return stops ? Outcome::won : Outcome::go_on;
    }
    if (event.type == SDL_QUIT)
        return Outcome::quit_window;
    if (roller != Roller::any_button)
        return Outcome::go_on;
    // A wheel turned by the way is no press of a switch.
    bool pressed = (event.type == SDL_MOUSEBUTTONUP && !is_wheel(event.button.button)) ||
                   event.type == SDL_JOYBUTTONUP;
    return pressed ? Outcome::won : Outcome::go_on;
}

// This frame's events: one in the design's game (kept: see QUIRKS.md, 'keys
// queue'); under the game's own options every waiting one, in order, up to
// the first that stops the die or ends the game. Pointer motion is nothing
// to the die.
static Outcome read_frame_events(Roller roller)
{
    SDL_Event event;
    if (!watch_window)
        return SDL_PollEvent(&event) == 1 ? ends_roll(event, roller) : Outcome::go_on;
    while (SDL_PollEvent(&event) == 1) {
        if (event.type == SDL_MOUSEMOTION)
            continue;
        if (Outcome seen = ends_roll(event, roller); seen != Outcome::go_on)
            return seen;
    }
    return Outcome::go_on;
}

Outcome roll_die(Roller roller, int &roll)
{
    roll = 0;
    int stop_frame = -1;
    if (roller == Roller::computer)
        stop_frame = COMPUTER_MIN_FRAMES + std::rand() % (COMPUTER_MAX_FRAMES - COMPUTER_MIN_FRAMES + 1);
    int toggle = 0;
    for (int frame = 0;; frame++) {
        int face = std::rand() % DIE_FACES;
        // The rattle restarts on every second frame; a start on its own
        // channel cuts off what still plays there. Under --speak it waits
        // while anything is said.
        if (toggle == 0 && dice_click != nullptr && !speak_busy())
            Mix_PlayChannelTimed(RATTLE_CHANNEL, dice_click, 0, -1);
        toggle = (toggle + 1) % 2;
        show_face(face);
        speak_pump();
        Outcome seen = read_frame_events(roller);
        if (seen == Outcome::won || (seen == Outcome::go_on && frame == stop_frame)) {
            roll = face + 1;
            return Outcome::go_on;
        }
        if (seen == Outcome::go_on)
            seen = game_wait(DIE_FRAME_MS);
        if (seen != Outcome::go_on)
            return seen;
    }
}

int roll_die()
{
    int roll = 0;
    roll_die(Roller::space_bar, roll);
    return roll;
}
