// The process entry on Linux, where SDL's main wrapper adds nothing: it hands
// the command line to the program's SDL_main. (On Windows SDL's own wrapper,
// libSDLmain, is the entry instead.)
extern "C" int SDL_main(int argc, char **argv);

int main(int argc, char **argv)
{
    return SDL_main(argc, argv);
}
