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

// What one event means to the roll: true when the space bar went up. Escape
// and the window's close end the game here, from inside the roll.
static bool ends_roll(const SDL_Event &event)
{
    if (event.type == SDL_KEYUP) {
        std::printf("Got a keyup of %d\n", int(event.key.keysym.sym));
        speak_key(event.key.keysym.sym);
        if (event.key.keysym.sym == SDLK_SPACE)
            return true;
        if (event.key.keysym.sym == SDLK_ESCAPE) {
            std::puts("Quit Button pressed");
            std::exit(0);
        }
    } else if (event.type == SDL_QUIT) {
        std::puts("SDL QUIT called "); // (kept: see QUIRKS.md, 'SDL QUIT blank')
        std::exit(0);
    }
    return false;
}

int roll_die()
{
    int toggle = 0;
    for (;;) {
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
        if (SDL_PollEvent(&event) == 1 && ends_roll(event))
            return face + 1;
        SDL_Delay(DIE_FRAME_MS);
    }
}
