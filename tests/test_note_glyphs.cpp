// The panel's characters beyond the 8-bit font, pixel by pixel against the
// X11 6x13 BDF font read by a small reader of this test's own.
#include "note.h"
#include "screen.h"
#include "support.h"

#include <SDL_gfxPrimitives.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int X0 = 490, Y0 = 300, CELL_W = 6, CELL_H = 13;
constexpr std::uint32_t WHITE = 0xFFFFFF;

// The BDF font as 13 rows of 6 pixels a code point, placed by its ascent.
using Cell = std::vector<std::string>; // '#' for a pixel set

std::map<char32_t, Cell> read_bdf(const std::string &path)
{
    std::ifstream in(path);
    std::map<char32_t, Cell> cells;
    std::string line, key;
    int ascent = 0;
    long code = -1;
    int w = 0, h = 0, xo = 0, yo = 0;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        words >> key;
        if (key == "FONT_ASCENT")
            words >> ascent;
        else if (key == "ENCODING")
            words >> code;
        else if (key == "BBX")
            words >> w >> h >> xo >> yo;
        else if (key == "BITMAP") {
            Cell cell(CELL_H, std::string(CELL_W, '.'));
            int top = ascent - (yo + h);
            for (int r = 0; r < h && std::getline(in, line); r++) {
                unsigned long bits = std::stoul(line, nullptr, 16);
                int width = int(line.size()) * 4;
                for (int px = 0; px < w; px++)
                    if (bits & (1ul << (width - 1 - px)) && top + r >= 0 && top + r < CELL_H &&
                        xo + px >= 0 && xo + px < CELL_W)
                        cell[std::size_t(top + r)][std::size_t(xo + px)] = '#';
            }
            if (code >= 0)
                cells[char32_t(code)] = cell;
        }
    }
    return cells;
}

const std::map<char32_t, Cell> &bdf()
{
    static std::map<char32_t, Cell> font = [] {
        std::string dir = enter_scratch_folder("bdf");
        std::string command = "zcat /usr/share/fonts/X11/misc/6x13.pcf.gz > " + dir +
                              "/f.pcf && pcf2bdf -o " + dir + "/f.bdf " + dir + "/f.pcf";
        EXPECT_EQ(std::system(command.c_str()), 0) << "needs xfonts-base and pcf2bdf";
        auto cells = read_bdf(dir + "/f.bdf");
        std::filesystem::current_path(data_folder());
        return cells;
    }();
    return font;
}

Cell drawn_cell(int x, int y)
{
    Cell cell(CELL_H, std::string(CELL_W, '.'));
    for (int r = 0; r < CELL_H; r++)
        for (int c = 0; c < CELL_W; c++)
            if (pixel_at(screen, x + c, y + r) == WHITE)
                cell[std::size_t(r)][std::size_t(c)] = '#';
    return cell;
}

std::string shown(const Cell &cell)
{
    std::string text;
    for (const std::string &row : cell)
        text += row + "\n";
    return text;
}

class NoteGlyphs : public testing::Test {
protected:
    void SetUp() override
    {
        start_dummy_video();
        static std::string font = read_file(data_folder() + "/image/6x13.fnt");
        ASSERT_EQ(font.size(), 3328u);
        gfxPrimitivesSetFont(font.data(), CELL_W, CELL_H);
        std::filesystem::current_path(data_folder());
        load_note_glyphs();
        ASSERT_TRUE(Note_glyphs.loaded) << Note_glyphs.fault;
        SDL_FillRect(screen, nullptr, 0);
    }
};

struct Line {
    const char *language;
    const char *note;              // one line of the panel, after its blank
    std::u32string characters;     // what it reads as
};

const Line lines[] = {
    {"French", " Ça élève, où ?\n", U"Ça élève, où ?"},
    {"German", " Grüße, Straße!\n", U"Grüße, Straße!"},
    {"Greek", " Καλή ώρα, φίλε\n", U"Καλή ώρα, φίλε"},
    {"Russian", " Съешь щи, ёжик\n", U"Съешь щи, ёжик"},
    {"Polish and Czech", " Łódź, řeka ŭ\n", U"Łódź, řeka ŭ"},
};

TEST_F(NoteGlyphs, EachCharacterIsItsBdfGlyphInOneCell)
{
    for (const Line &l : lines) {
        SDL_FillRect(screen, nullptr, 0);
        display_note(l.note, 23, X0, Y0, CELL_W, 15);
        for (std::size_t i = 0; i < l.characters.size(); i++) {
            char32_t ch = l.characters[i];
            Cell want = ch == U' ' ? Cell(CELL_H, std::string(CELL_W, '.')) : bdf().at(ch);
            EXPECT_EQ(shown(drawn_cell(X0 + CELL_W * int(i), Y0)), shown(want))
                << l.language << " character " << i;
        }
        // Nothing past the last character.
        EXPECT_EQ(shown(drawn_cell(X0 + CELL_W * int(l.characters.size()), Y0)),
                  shown(Cell(CELL_H, std::string(CELL_W, '.'))))
            << l.language;
    }
}

TEST_F(NoteGlyphs, WrapCountsCharactersAndAMissingGlyphIsABox)
{
    // 22 two-byte letters fill one line exactly; the next word wraps.
    std::string note = " ";
    for (int i = 0; i < 21; i++)
        note += "\xc3\xa9"; // é
    note += "\xf0\x9f\x98\x80 \xd0\xb6\xc2\x85\n"; // an emoji; ж and U+0085 on the next line
    display_note(note.c_str(), 23, X0, Y0, CELL_W, 15);
    EXPECT_EQ(shown(drawn_cell(X0 + CELL_W * 20, Y0)), shown(bdf().at(U'é')));
    Cell box(CELL_H, std::string(CELL_W, '.'));
    for (int r = 0; r < CELL_H; r++)
        for (int c = 0; c < CELL_W; c++)
            if (MISSING_GLYPH[std::size_t(r)] & (0x80 >> c))
                box[std::size_t(r)][std::size_t(c)] = '#';
    EXPECT_EQ(shown(drawn_cell(X0 + CELL_W * 21, Y0)), shown(box));
    EXPECT_NE(shown(box), shown(Cell(CELL_H, std::string(CELL_W, '.'))));
    EXPECT_EQ(shown(drawn_cell(X0, Y0 + 15)), shown(bdf().at(U'ж')));
    EXPECT_EQ(shown(drawn_cell(X0 + CELL_W, Y0 + 15)), shown(box)) << "a blank 8-bit cell";
}

} // namespace
