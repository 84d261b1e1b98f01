// The chute preview tool: one three-piece chute from a fixed point towards a
// point that the user moves with the arrow keys.
#pragma once

#include <SDL.h>

#include <string>

// The picture's three bands, all 20 columns wide: the head is copied once,
// the body as often as the length needs, the tail once at the bottom.
constexpr int CHUTE_W = 20;
constexpr int HEAD_ROWS = 8;
constexpr int BODY_ROWS = 10;
constexpr int TAIL_ROWS = 22;
constexpr int PICTURE_ROWS = HEAD_ROWS + BODY_ROWS + TAIL_ROWS;

// The fixed end of the chute and where the moving point starts.
constexpr int FIXED_X = 200;
constexpr int FIXED_Y = 200;
constexpr int START_X = 200;
constexpr int START_Y = 100;

extern SDL_Surface *s_chute_picture; // the chute picture, kept for the whole run
extern SDL_Surface *temp;            // the current frame's turned chute, freed after the frame

// Loads the chute picture at path into s_chute_picture. Returns false,
// leaving s_chute_picture as it was, after a message naming the file on
// standard error when the file cannot be read, the picture guard
// (check_xpm_file) refuses it ("Cannot load the chute picture PATH: REASON"),
// the loader fails, or it is smaller than CHUTE_W x PICTURE_ROWS. The loader
// is given the checked bytes.
bool load_chute_picture(const std::string &path);

// Degrees that the upright strip is turned by so that it runs from its head
// along (dx, -dy): 0 for a point straight above, 90 straight to the right,
// and 90 for two equal points.
double chute_angle(int dx, int dy);

// Body pieces beyond the first for a chute of the given length: (len - 30)
// / 10 truncated toward zero, so -3 for length 0 and 0 for 21 to 39.
int chute_body_count(int length);

// Rows of the upright strip for a body count: 10 per count plus 40, so 10 at
// the smallest count (-3).
int chute_strip_height(int count);

// A new surface holding the chute for the line from (x1, y1) to (x2, y2),
// built from s_chute_picture and turned; the caller frees it. Only the line's
// strip_length and angle matter. Null when s_chute_picture is missing or a
// surface cannot be made (a strip taller than a rectangle can reach, too).
SDL_Surface *make_preview_chute(int x1, int y1, int x2, int y2);

// Draws one frame: black, the chute for (FIXED_X, FIXED_Y) to (x, y) with its
// bounding box's lowest row on row 313, the white bar at (200, 315, 200, 50),
// then shows the whole window.
void draw_frame(int x, int y);

// Applies one event to the moving point (x, y): an arrow key's release moves
// it 48 pixels within x 50..500 and y 40..200. Returns false when the program
// is to end (Escape released, or a quit request), after printing its line.
bool handle_event(const SDL_Event &event, int &x, int &y);
