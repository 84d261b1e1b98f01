// The slide: a token glides along a ladder or chute, one pixel per frame.
#pragma once

#include "outcome.h"

// Glides token `which` from its corner of square `from` (its current square)
// towards the middle of square `to`: one pixel per 50 ms frame along the
// longer axis (a tie takes x), the other axis following the slope. Prints
// "y Loop" or "x loop" and the start line of that loop. The screen under the
// token is saved and put back every frame, so the board and the other tokens
// survive. On return the token's dest holds the last frame's place, one pixel
// short of the end on the long axis; its square is unchanged. A quit during
// the glide ends it where it is and is returned.
Outcome slide(int which, int from, int to);
