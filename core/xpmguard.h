// The picture guard: an XPM file's header checked against its content before
// the picture loader, which trusts the header, is given it.
#pragma once

#include <cstddef>
#include <string>

constexpr int XPM_MAX_SIDE = 4096;       // pixels, either way
constexpr int XPM_MAX_COLOURS = 65536;
constexpr int XPM_MAX_CHARS_PER_PIXEL = 4;
constexpr std::size_t PICTURE_FILE_MAX_BYTES = 96u << 20; // a 4096 x 4096 picture of 4-character pixels

struct XpmCheck {
    bool found = false;  // the file could be opened
    bool ok = false;     // the picture loader may be given the bytes
    std::string fault;   // why not, in words for the user; empty when ok
    int width = 0, height = 0, colours = 0, chars_per_pixel = 0; // once the header is read
};

// Checks an XPM picture the way the picture loader reads it: the file starts
// with "/* XPM */"; the loader then takes the quoted strings in turn, with no
// regard to C comments: the header "width height colours chars_per_pixel"
// (further values after these four are allowed), then one string per colour
// (a key of chars_per_pixel characters, a blank, and pairs of a kind and a
// value; a value "#..." has 3, 6 or 12 hex digits), then one string per pixel
// row of exactly width x chars_per_pixel characters, followed by at least
// three bytes (the loader reads `",` and a line end with it). Every pixel's
// key must be one of the colours' keys. Sides are 1 to XPM_MAX_SIDE, colours
// 1 to XPM_MAX_COLOURS, characters per pixel 1 to XPM_MAX_CHARS_PER_PIXEL.
XpmCheck check_xpm_bytes(const std::string &bytes);

// The same for a file read through read_regular_file (at most
// PICTURE_FILE_MAX_BYTES); `bytes` gets what was checked. A missing file
// gives found == false and the fault "missing".
XpmCheck check_xpm_file(const std::string &path, std::string &bytes);
