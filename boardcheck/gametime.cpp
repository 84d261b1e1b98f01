// Expected animation and sound time of a game, from the turns the odds expect.
#include "gametime.h"

#include "geometry.h"

#include <algorithm>

namespace {

// Expected walk and slide time of one turn of player `which` from `square`.
void add_turn(const DestTable &dest, const SoundTimes &sounds, int which, int square,
              double weight, GameTime &time)
{
    time.turn_sounds += weight * sounds.turn_ms[which];
    for (int roll = 1; roll <= DIE_FACES; roll++) {
        int steps = walk_steps(square, roll);
        int reached = square + steps;
        double share = weight / DIE_FACES;
        time.walking += share * steps * WALK_STEP_MS;
        if (dest[reached] == NO_DEST)
            continue;
        double slide = slide_frames(which, reached, dest[reached]) * double(SLIDE_FRAME_MS);
        time.slides += share * std::max(slide, sounds.note_ms[reached]);
    }
}

} // namespace

GameTime expected_game_time(const DestTable &dest, const Odds &odds, const SoundTimes &sounds)
{
    GameTime time;
    for (int which = 0; which < odds.players; which++) {
        for (int square = 0; square < WIN_SQUARE; square++)
            if (odds.turns_from[which][square] > 0)
                add_turn(dest, sounds, which, square, odds.turns_from[which][square], time);
        time.win_sound += odds.wins[which] * sounds.win_ms[which];
    }
    return time;
}
