// The floor for the game's start-up: SDL, the same audio device and the same
// 640 x 480 x 32 window, one frame shown, nothing else.
#include "screen.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>

int main()
{
    if (std::getenv("BARE_DEFAULT_RENDERER") == nullptr)
        prefer_software_video();
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO) == -1)
        return 1;
    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) == -1)
        return 1;
    screen_flags = SDL_SRCCOLORKEY;
    change_screen(640, 480);
    SDL_WM_SetCaption("Varnowick", "Varnowick");
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0xff, 0xff, 0xcc));
    SDL_UpdateRect(screen, 0, 0, 0, 0);
    SDL_Delay(200);
    Mix_CloseAudio();
    SDL_Quit();
    return 0;
}
