// Turns: the prompt, the walk to 99 and never past it, one ladder or chute a
// turn, the note and its sound, the panel cleared, and the diagnostic lines.
#include "turns.h"

#include "board.h"
#include "squares.h"
#include "game_fixture.h"
#include "options.h"
#include "screen.h"
#include "sound.h"
#include "support.h"
#include "tokens.h"

#include <SDL_gfxPrimitives.h>
#include <gtest/gtest.h>

#include <cstdio>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

class TurnTest : public testing::Test {
protected:
    void SetUp() override
    {
        start_test_game();
        fresh_board();
        reset_recordings();
    }
    void TearDown() override
    {
        for (Square *sq : blist)
            sq->dest = NO_DEST;
        reset_recordings();
    }
};

void ladder(int from, int to, const char *note)
{
    blist[from]->dest = to;
    std::strncpy(blist[from]->note, note, NOTE_SIZE - 1);
}

// Plays one turn with a known roll; returns what it printed.
std::string play(int which, int roll, int *result)
{
    queue_keyup(SDLK_SPACE);
    seed_for_roll(roll);
    begin_stdout_capture();
    *result = player_turn(which);
    return end_stdout_capture();
}

int count_lines(const std::string &text, const std::string &start)
{
    int n = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (text.compare(at, start.size(), start) == 0)
            n++;
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return n;
}

bool panel_black()
{
    for (int y = 230; y < 430; y++)
        for (int x = 490; x < 640; x++)
            if (pixel_at(screen, x, y) != 0)
                return false;
    return true;
}

// Something is written where the note's first line goes.
bool note_shown()
{
    for (int y = 300; y < 313; y++)
        for (int x = 490; x < 622; x++)
            if (pixel_at(screen, x, y) != 0)
                return true;
    return false;
}

TEST_F(TurnTest, LadderTurnFromPromptToCorner)
{
    ladder(3, 22, " Climb up!\n");
    int result = -1;
    std::vector<bool> note_seen; // the note is in the panel while the token slides
    on_delay = [&note_seen](Uint32 ms) {
        if (ms == 50)
            note_seen.push_back(note_shown());
    };
    std::string out = play(0, 3, &result);
    EXPECT_EQ(out, "Got a keyup of 32\n"
                   "Player 0 is set to (52, 436) w = 20  h = 20\n"
                   "Player 0 is set to (100, 436) w = 20  h = 20\n"
                   "Player 0 is set to (148, 436) w = 20  h = 20\n"
                   "Trying to play ./t/square03.wav\n"
                   "y Loop\n"
                   "Staring y loop with star = 436, end = 350, dir = -1\n"
                   "Player 0 is set to (100, 340) w = 20  h = 20\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(player[0].square, 22);
    EXPECT_EQ(count_delays(800), 3) << "one 800 ms pause per square walked";
    EXPECT_EQ(count_delays(50), 86) << "one 50 ms frame per pixel of the slide";
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].text, "Player 1 - Roll the die");
    EXPECT_EQ(drawn[0].x, 490);
    EXPECT_EQ(drawn[0].y, 230);
    EXPECT_EQ(drawn[1].text, "Climb");
    EXPECT_EQ(drawn[2].text, "up!");
    EXPECT_EQ(note_seen, std::vector<bool>(86, true));
    EXPECT_TRUE(panel_black()) << "the panel is cleared at the end of the turn";
    EXPECT_EQ(player[0].dest.x, 100);
    EXPECT_EQ(player[0].dest.y, 340);
}

struct WalkCase {
    const char *name;
    int which, start, roll;
    int end;    // square after the turn
    int result; // 1: the token stands on 99
    int steps;  // squares walked
};

const std::vector<WalkCase> walks = {
    {"plain walk", 0, 0, 6, 6, 0, 6},
    {"player 2 walks", 1, 10, 4, 14, 0, 4},
    {"97 rolls 5 stops on 99", 0, 97, 5, 99, 1, 2},
    {"exactly to 99", 1, 93, 6, 99, 1, 6},
    {"98 rolls 1", 0, 98, 1, 99, 1, 1},
    {"ladder to 99 wins", 0, 90, 5, 99, 1, 5},
    {"no chaining: the destination's own ladder waits", 0, 10, 2, 30, 0, 2},
    {"a chute", 1, 40, 6, 20, 0, 6},
};

TEST_F(TurnTest, WalksAndLadders)
{
    ladder(95, 99, " To the top!\n");
    ladder(12, 30, " Up.\n");
    ladder(30, 60, " Up again.\n");
    ladder(46, 20, " Down.\n");
    for (const WalkCase &c : walks) {
        fresh_board();
        place_token(c.which, c.start);
        reset_recordings();
        int result = -1;
        std::string out = play(c.which, c.roll, &result);
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(player[c.which].square, c.end) << c.name;
        EXPECT_EQ(count_delays(800), c.steps) << c.name;
        // One line per square entered and one more where the turn ends.
        std::string mine = "Player " + std::to_string(c.which) + " is set to";
        EXPECT_EQ(count_lines(out, mine), c.steps + 1) << c.name << "\n" << out;
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn[0].text, "Player " + std::to_string(c.which + 1) + " - Roll the die");
        EXPECT_TRUE(panel_black()) << c.name;
    }
}

// The turn looks for the win only at its end: a record on 99 is taken like
// any other, and the token that walked onto 99 has not won.
// Player 4 played by the computer: its prompt and corner, a roll that needs
// no key, and a win on 99 like anybody's.
TEST_F(TurnTest, AComputerTurnOfPlayerFour)
{
    player_count = 4;
    options.computer[3] = true;
    place_token(3, 97);
    reset_recordings();
    // The computer draws its wait of 16 to 40 frames first; the face of its
    // last frame is the roll, here a 6.
    for (unsigned seed = 1;; seed++) {
        std::srand(seed);
        int face = 0;
        for (int frame = 16 + std::rand() % 25; frame >= 0; frame--)
            face = std::rand() % 6;
        if (face == 5) {
            std::srand(seed);
            break;
        }
    }
    begin_stdout_capture();
    EXPECT_EQ(player_turn(3), 1);
    EXPECT_EQ(end_stdout_capture(), "Player 3 is set to (72, 4) w = 20  h = 20\n"
                                    "Player 3 is set to (24, 4) w = 20  h = 20\n"
                                    "Player 3 is set to (24, 4) w = 20  h = 20\n");
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn[0].text, "Player 4 - Roll the die");
    options = Options{};
    player_count = 2;
    fresh_board();
}

TEST_F(TurnTest, ARecordOn99IsTakenAndTheTokenHasNotWon)
{
    ladder(99, 60, " Back down!\n");
    fresh_board();
    place_token(0, 97);
    reset_recordings();
    int result = -1;
    play(0, 5, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(player[0].square, 60);
}

TEST_F(TurnTest, NoChainingOnTheNextTurnEither)
{
    ladder(12, 30, " Up.\n");
    ladder(30, 60, " Up again.\n");
    place_token(0, 10);
    int result = -1;
    play(0, 2, &result);
    ASSERT_EQ(player[0].square, 30);
    std::string out = play(0, 1, &result);
    EXPECT_EQ(player[0].square, 31) << "the token walks off the square first";
    EXPECT_EQ(out.find("Trying to play"), std::string::npos);
}

// A short WAV of silence: 44100 Hz, 2 channels, 16 bits.
std::string silent_wav(int frames)
{
    auto u32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    auto u16 = [](std::uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    std::uint32_t data = std::uint32_t(frames) * 4;
    return "RIFF" + u32(36 + data) + "WAVE" + "fmt " + u32(16) + u16(1) + u16(2) +
           u32(44100) + u32(44100 * 4) + u16(4) + u16(16) + "data" + u32(data) +
           std::string(data, '\0');
}

class NoteSoundTest : public TurnTest {
protected:
    void SetUp() override
    {
        TurnTest::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024), 0) << SDL_GetError();
        write_file("t/square03.wav", silent_wav(2205)); // 50 ms
        ladder(3, 22, " Climb up!\n");
    }
    void TearDown() override
    {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        std::remove("t/square03.wav");
        TurnTest::TearDown();
    }
};

TEST_F(NoteSoundTest, PlaysAwaitsAndReleasesTheNoteSound)
{
    bool playing_during_slide = false;
    on_delay = [&playing_during_slide](Uint32) {
        playing_during_slide = playing_during_slide || Mix_Playing(-1) != 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(1)); // the sound's own pace
    };
    int result = -1;
    std::string out = play(0, 3, &result);
    EXPECT_LT(out.find("Trying to play ./t/square03.wav\n"), out.find("y Loop\n"));
    EXPECT_EQ(out.find("Got a play error"), std::string::npos);
    EXPECT_TRUE(playing_during_slide);
    EXPECT_EQ(Mix_Playing(-1), 0) << "the turn waits for the note sound to end";
    EXPECT_EQ(freed_chunks.size(), 1u);
}

TEST_F(NoteSoundTest, ASoundWithoutAChannelIsReleasedAndNotAwaited)
{
    Mix_AllocateChannels(0);
    int result = -1;
    std::string out = play(0, 3, &result);
    Mix_AllocateChannels(8);
    EXPECT_NE(out.find("Trying to play ./t/square03.wav\nGot a play error : "), std::string::npos)
        << out;
    EXPECT_EQ(freed_chunks.size(), 1u);
    EXPECT_EQ(count_delays(50), 86) << "no wait beyond the slide's frames";
    EXPECT_EQ(player[0].square, 22);
}

TEST_F(NoteSoundTest, AMissingSoundStillShowsTheNoteAndSlides)
{
    std::remove("t/square03.wav");
    int result = -1;
    std::string out = play(0, 3, &result);
    EXPECT_NE(out.find("Trying to play ./t/square03.wav\ny Loop\n"), std::string::npos) << out;
    EXPECT_TRUE(freed_chunks.empty());
    EXPECT_EQ(count_delays(50), 86);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[1].text, "Climb");
}

// Each player's turn begins with that player's own turn sound, Players 3 and
// 4 too.
TEST_F(NoteSoundTest, EachPlayerHearsTheirOwnTurnSound)
{
    player_count = MAX_PLAYERS;
    for (int which = 0; which < MAX_PLAYERS; which++)
        turn[std::size_t(which)] = load_checked_wav(silent_wav(441));
    for (int which = 0; which < MAX_PLAYERS; which++) {
        int result = -1;
        play(which, 1, &result);
        int heard = -1;
        for (int channel = 0; channel < Mix_AllocateChannels(-1); channel++)
            for (int sound = 0; sound < MAX_PLAYERS; sound++)
                if (Mix_GetChunk(channel) == turn[std::size_t(sound)])
                    heard = sound;
        EXPECT_EQ(heard, which) << "Player " << which + 1;
        Mix_HaltChannel(-1);
    }
    for (Mix_Chunk *&sound : turn) {
        Mix_FreeChunk(sound);
        sound = nullptr;
    }
    player_count = PLAYERS;
    fresh_board();
}

// The prompt's cell i as 13 rows of '#' and '.': as drawn at (490, 230), or
// as the panel font file has the glyph of Latin-1 byte `code`.
std::string drawn_prompt_cell(int i)
{
    std::string rows;
    for (int y = 230; y < 243; y++, rows += "\n")
        for (int x = 490 + 6 * i; x < 496 + 6 * i; x++)
            rows += pixel_at(screen, x, y) == 0xFFFFFF ? '#' : '.';
    return rows;
}

std::string font_cell(const std::string &font, unsigned char code)
{
    std::string rows;
    for (int r = 0; r < 13; r++, rows += "\n")
        for (int c = 0; c < 6; c++)
            rows += (static_cast<unsigned char>(font[code * 13u + unsigned(r)]) & (0x80 >> c)) ? '#' : '.';
    return rows;
}

// A French board's prompt is French, each cell the panel font's glyph of its
// letter; a board without a language file, or an English one, keeps the
// design's English.
TEST_F(TurnTest, AFrenchBoardsPromptIsDrawnInItsWords)
{
    static std::string font = read_file(data_folder() + "/image/6x13.fnt");
    ASSERT_EQ(font.size(), 3328u);
    gfxPrimitivesSetFont(font.data(), 6, 13);
    struct Case {
        const char *language; // null: no language file
        std::string latin1;   // the prompt's letters as the 8-bit font's bytes
    } cases[] = {
        {"fr", "Joueur 1 - Lance le d\xe9"},
        {nullptr, "Player 1 - Roll the die"},
        {"en", "Player 1 - Roll the die"},
    };
    for (const Case &c : cases) {
        if (c.language != nullptr)
            write_file("t/language", std::string(c.language) + "\n");
        std::vector<std::string> cells;
        on_delay = [&cells, &c](Uint32 ms) {
            if (ms == 800 && cells.empty()) // the walk: the prompt is up
                for (std::size_t i = 0; i <= c.latin1.size(); i++)
                    cells.push_back(drawn_prompt_cell(int(i)));
        };
        int result = -1;
        play(0, 1, &result);
        on_delay = nullptr;
        std::remove("t/language");
        const char *name = c.language != nullptr ? c.language : "none";
        ASSERT_EQ(cells.size(), c.latin1.size() + 1) << name;
        for (std::size_t i = 0; i < c.latin1.size(); i++)
            EXPECT_EQ(cells[i], font_cell(font, static_cast<unsigned char>(c.latin1[i])))
                << name << " cell " << i;
        EXPECT_EQ(cells.back(), font_cell(font, ' ')) << name << ": nothing after the prompt";
        fresh_board();
    }
}

} // namespace
