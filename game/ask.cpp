// Asking the questions of question squares, and the tally of right answers.
#include "ask.h"

#include "config.h"
#include "note.h"
#include "options.h"
#include "panel.h"
#include "screen.h"
#include "speak.h"
#include "squares.h"
#include "tokens.h"
#include "wait.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <memory>
#include <random>

namespace {

constexpr SDL_Color BOX_COLOUR = {16, 32, 80, 0};
constexpr SDL_Color BORDER_COLOUR = {255, 255, 255, 0};
constexpr SDL_Color ROW_COLOUR = {40, 64, 128, 0};
constexpr SDL_Color HIGHLIGHT_COLOUR = {255, 210, 0, 0};
constexpr SDL_Color RIGHT_COLOUR = {0, 120, 40, 0};
constexpr SDL_Color WRONG_COLOUR = {160, 20, 20, 0};
constexpr SDL_Color TEXT_COLOUR = {255, 255, 255, 0};
constexpr int HIGHLIGHT_EDGE = 3;
constexpr int POLL_FRAME_MS = 50;

QuestionFile asked_file;
std::vector<std::vector<int>> by_square;     // indexes into asked_file.questions
std::vector<int> next_of_square;              // which of a square's questions comes next
std::array<int, MAX_PLAYERS> asked_count{};
std::array<int, MAX_PLAYERS> right_count{};
// The shuffles and the computer's answers: apart from rand(), which the die
// alone draws from.
std::mt19937 chance;

// One question on screen: its answers in the order shown (parts of
// question_part, 1 the right one).
struct Asking {
    const Question *question = nullptr;
    std::vector<int> shown;
    int highlight = -1; // index into shown, -1 for none
};

Uint32 mapped(SDL_Color colour)
{
    return SDL_MapRGB(screen->format, colour.r, colour.g, colour.b);
}

void fill(SDL_Rect r, SDL_Color colour)
{
    SDL_FillRect(screen, &r, mapped(colour));
}

// `text` at twice the panel font's size, its top left at (x, y).
void draw_big(int x, int y, const std::string &text, SDL_Color colour)
{
    int width = int(text.size()) * PANEL_FONT_W; // bytes: never fewer than characters
    if (width == 0)
        return;
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface *)> small(
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, PANEL_FONT_H, 32, 0xFF0000, 0xFF00, 0xFF, 0),
        SDL_FreeSurface);
    if (!small)
        return;
    SDL_FillRect(small.get(), nullptr, 0);
    draw_text_line(small.get(), 0, 0, text, SDL_Color{255, 255, 255, 0});
    SDL_LockSurface(small.get());
    const Uint32 *pixels = static_cast<const Uint32 *>(small->pixels);
    int pitch = small->pitch / 4;
    for (int py = 0; py < PANEL_FONT_H; py++)
        for (int px = 0; px < width; px++)
            if (pixels[py * pitch + px] != 0)
                fill(SDL_Rect{Sint16(x + ASK_SCALE * px), Sint16(y + ASK_SCALE * py), ASK_SCALE,
                              ASK_SCALE},
                     colour);
    SDL_UnlockSurface(small.get());
}

SDL_Rect row_rect(int index)
{
    return SDL_Rect{Sint16(ASK_X + ASK_PAD), Sint16(ASK_ROWS_Y + index * ASK_ROW_H),
                    Uint16(ASK_W - 2 * ASK_PAD), Uint16(ASK_ROW_H - ASK_ROW_GAP)};
}

std::string row_text(const Asking &asking, int index)
{
    return std::to_string(index + 1) + "  " + question_part(*asking.question, asking.shown[std::size_t(index)]);
}

void draw_row(const Asking &asking, int index, SDL_Color colour)
{
    SDL_Rect r = row_rect(index);
    if (index == asking.highlight) {
        fill(r, HIGHLIGHT_COLOUR);
        fill(SDL_Rect{Sint16(r.x + HIGHLIGHT_EDGE), Sint16(r.y + HIGHLIGHT_EDGE),
                      Uint16(r.w - 2 * HIGHLIGHT_EDGE), Uint16(r.h - 2 * HIGHLIGHT_EDGE)},
             colour);
    } else {
        fill(r, colour);
    }
    draw_big(r.x + 10, r.y + (r.h - ASK_SCALE * PANEL_FONT_H) / 2, row_text(asking, index),
             TEXT_COLOUR);
    SDL_UpdateRect(screen, r.x, r.y, r.w, r.h);
}

void draw_box(const Asking &asking)
{
    fill(SDL_Rect{ASK_X, ASK_Y, ASK_W, ASK_H}, BORDER_COLOUR);
    fill(SDL_Rect{ASK_X + 2, ASK_Y + 2, ASK_W - 4, ASK_H - 4}, BOX_COLOUR);
    std::vector<std::string> lines = wrap_words(asking.question->text, QUESTION_LINE_CHARS);
    for (std::size_t i = 0; i < lines.size(); i++)
        draw_big(ASK_X + ASK_PAD, ASK_Y + ASK_PAD + int(i) * ASK_LINE_H, lines[i], TEXT_COLOUR);
    SDL_UpdateRect(screen, ASK_X, ASK_Y, ASK_W, ASK_H);
    for (int i = 0; i < int(asking.shown.size()); i++)
        draw_row(asking, i, ROW_COLOUR);
}

void draw_verdict(const std::string &text)
{
    SDL_Rect r{ASK_X + ASK_PAD, ASK_VERDICT_Y, ASK_W - 2 * ASK_PAD, ASK_LINE_H};
    fill(r, BOX_COLOUR);
    draw_big(r.x, r.y, text, TEXT_COLOUR);
    SDL_UpdateRect(screen, r.x, r.y, r.w, r.h);
}

void move_highlight(Asking &asking, int to)
{
    int count = int(asking.shown.size());
    int old = asking.highlight;
    asking.highlight = ((to % count) + count) % count;
    if (old >= 0)
        draw_row(asking, old, ROW_COLOUR);
    draw_row(asking, asking.highlight, ROW_COLOUR);
    std::printf("Menu: Answer %s\n", row_text(asking, asking.highlight).c_str());
    speak_pump();
}

// The answer row under the point (x, y), or -1.
int row_at(const Asking &asking, int x, int y)
{
    for (int i = 0; i < int(asking.shown.size()); i++) {
        SDL_Rect r = row_rect(i);
        if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h)
            return i;
    }
    return -1;
}

bool is_wheel(Uint8 button)
{
    return button == SDL_BUTTON_WHEELUP || button == SDL_BUTTON_WHEELDOWN;
}

// What one event does to a child's answer: sets `chosen` (an index into
// shown) when it answers; a quit is returned.
Outcome answer_event(const SDL_Event &event, Asking &asking, int &chosen)
{
    int count = int(asking.shown.size());
    if (event.type == SDL_QUIT)
        return Outcome::quit_window;
    if (event.type == SDL_KEYUP) {
        SDLKey key = event.key.keysym.sym;
        std::printf("Got a keyup of %d\n", int(key));
        if (key == SDLK_ESCAPE)
            return Outcome::quit_key;
        if (options.one_button)
            chosen = std::max(asking.highlight, 0);
        else if (key >= SDLK_1 && key < SDLK_1 + count)
            chosen = key - SDLK_1;
        else if (key >= SDLK_KP1 && key < SDLK_KP1 + count)
            chosen = key - SDLK_KP1;
        else if ((key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE) &&
                 asking.highlight >= 0)
            chosen = asking.highlight;
        else if (key == SDLK_DOWN || key == SDLK_RIGHT || key == SDLK_TAB)
            move_highlight(asking, asking.highlight + 1);
        else if (key == SDLK_UP || key == SDLK_LEFT)
            move_highlight(asking, asking.highlight < 0 ? count - 1 : asking.highlight - 1);
    } else if (event.type == SDL_MOUSEBUTTONUP && !is_wheel(event.button.button)) {
        chosen = options.one_button ? std::max(asking.highlight, 0)
                                    : row_at(asking, event.button.x, event.button.y);
    } else if (event.type == SDL_JOYBUTTONUP && options.one_button) {
        chosen = std::max(asking.highlight, 0);
    }
    return Outcome::go_on;
}

// A child's answer, by any of the ways ask_question names.
Outcome read_answer(Asking &asking, int &chosen)
{
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) { // what was pressed before the question counts not
    }
    chosen = -1;
    if (options.one_button)
        move_highlight(asking, 0);
    for (int waited = 0; chosen < 0; waited += POLL_FRAME_MS) {
        if (options.one_button && waited >= SCAN_MS) {
            move_highlight(asking, asking.highlight + 1);
            waited = 0;
        }
        while (chosen < 0 && SDL_PollEvent(&event) == 1)
            if (Outcome seen = answer_event(event, asking, chosen); seen != Outcome::go_on)
                return seen;
        speak_pump();
        if (chosen < 0)
            if (Outcome seen = game_wait(POLL_FRAME_MS); seen != Outcome::go_on)
                return seen;
    }
    return Outcome::go_on;
}

// The computer reads a while, then answers right COMPUTER_RIGHT_CHANCE of the time.
Outcome computer_answer(Asking &asking, int &chosen)
{
    Outcome seen = speak_finish();
    if (seen == Outcome::go_on)
        seen = game_wait(COMPUTER_THINK_MS);
    bool right = std::bernoulli_distribution(COMPUTER_RIGHT_CHANCE)(chance);
    std::vector<int> rows;
    for (int i = 0; i < int(asking.shown.size()); i++)
        if ((asking.shown[std::size_t(i)] == 1) == right)
            rows.push_back(i);
    chosen = rows[std::uniform_int_distribution<std::size_t>(0, rows.size() - 1)(chance)];
    return seen;
}

void say_question(const Asking &asking)
{
    const Question &q = *asking.question;
    std::printf("Question: %s\n", q.text.c_str());
    for (int i = 0; i < int(asking.shown.size()); i++)
        std::printf("Answer %d: %s\n", i + 1, question_part(q, asking.shown[std::size_t(i)]).c_str());
    speak_recorded(0, question_sound_path(location, q, 0), q.text);
    for (int i = 0; i < int(asking.shown.size()); i++) {
        int part = asking.shown[std::size_t(i)];
        speak_recorded(i + 1, question_sound_path(location, q, part), question_part(q, part));
    }
}

// Right or wrong shown, printed and, for a wrong answer, the right one said;
// the box stays until that has been said and VERDICT_MS has passed.
Outcome show_verdict(Asking &asking, int chosen, bool praised)
{
    const Question &q = *asking.question;
    bool right = asking.shown[std::size_t(chosen)] == 1;
    asking.highlight = -1;
    int right_row = int(std::find(asking.shown.begin(), asking.shown.end(), 1) - asking.shown.begin());
    std::puts(right ? "Right" : "Wrong");
    if (!right)
        draw_row(asking, chosen, WRONG_COLOUR);
    draw_row(asking, right_row, RIGHT_COLOUR);
    if (right)
        draw_verdict(praised ? "Well done! You stay here." : "Right!");
    else
        draw_verdict("The answer is " + q.right);
    if (!right)
        speak_recorded(0, question_sound_path(location, q, 1), q.right);
    Outcome seen = game_wait(VERDICT_MS);
    if (seen == Outcome::go_on)
        seen = speak_finish();
    return seen;
}

// The board under the box, and the tokens on it, as they were.
void repair_board()
{
    redraw_tokens(SDL_Rect{ASK_X, ASK_Y, ASK_W, ASK_H});
}

} // namespace

void questions_setup(const std::string &version)
{
    asked_file = read_version_questions(version);
    if (!asked_file.fault.empty())
        std::fprintf(stderr, "boardgame: %s; the game asks no questions\n", asked_file.fault.c_str());
    for (const std::string &problem : asked_file.problems)
        std::fprintf(stderr, "%s (the line is left out)\n", problem.c_str());
    by_square = questions_by_square(asked_file);
    next_of_square.assign(SQUARE_COUNT, 0);
    asked_count.fill(0);
    right_count.fill(0);
    chance.seed(static_cast<std::mt19937::result_type>(std::time(nullptr)));
}

bool questions_in_play()
{
    return !asked_file.questions.empty();
}

bool question_on(int square)
{
    return square >= 0 && square < int(by_square.size()) && !by_square[std::size_t(square)].empty();
}

Outcome ask_question(int which, int square, bool &right)
{
    right = false;
    const std::vector<int> &here = by_square[std::size_t(square)];
    int &next = next_of_square[std::size_t(square)];
    Asking asking;
    asking.question = &asked_file.questions[std::size_t(here[std::size_t(next)])];
    next = (next + 1) % int(here.size());
    for (int part = 1; part < question_parts(*asking.question); part++)
        asking.shown.push_back(part);
    std::shuffle(asking.shown.begin(), asking.shown.end(), chance);
    Outcome seen = speak_finish(); // the square's own phrase first
    draw_box(asking);
    say_question(asking);
    int chosen = -1;
    if (seen == Outcome::go_on)
        seen = options.computer[std::size_t(which)] ? computer_answer(asking, chosen)
                                                     : read_answer(asking, chosen);
    if (seen == Outcome::go_on) {
        right = asking.shown[std::size_t(chosen)] == 1;
        asked_count[std::size_t(which)]++;
        right_count[std::size_t(which)] += right ? 1 : 0;
        seen = show_verdict(asking, chosen, answer_praised(square, blist[square]->dest, right));
    }
    repair_board();
    if (seen != Outcome::go_on)
        right = false;
    return seen;
}

std::vector<std::string> answer_tally()
{
    std::vector<std::string> lines;
    if (!asked_file.given || !asked_file.opened)
        return lines;
    for (int which = 0; which < player_count; which++)
        lines.push_back("Player " + std::to_string(which + 1) + ": " +
                        std::to_string(right_count[std::size_t(which)]) + " of " +
                        std::to_string(asked_count[std::size_t(which)]));
    return lines;
}
