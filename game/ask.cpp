// Asking the questions of question squares, and the tally of right answers.
#include "ask.h"

#include "choice.h"
#include "chooser.h"
#include "config.h"
#include "language.h"
#include "note.h"
#include "options.h"
#include "panel.h"
#include "sayings.h"
#include "screen.h"
#include "speak.h"
#include "squares.h"
#include "tokens.h"
#include "utf8.h"
#include "wait.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <random>

namespace {

constexpr SDL_Color BOX_COLOUR = {16, 32, 80, 0};
constexpr SDL_Color BORDER_COLOUR = {255, 255, 255, 0};
constexpr SDL_Color RIGHT_COLOUR = {0, 120, 40, 0};
constexpr SDL_Color WRONG_COLOUR = {160, 20, 20, 0};
constexpr SDL_Color TEXT_COLOUR = {255, 255, 255, 0};

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
};

void fill(SDL_Rect r, SDL_Color colour)
{
    SDL_FillRect(screen, &r, screen_colour(colour));
}

SDL_Rect row_rect(int index)
{
    return SDL_Rect{Sint16(ASK_X + ASK_PAD), Sint16(ASK_ROWS_Y + index * ASK_ROW_H),
                    Uint16(ASK_W - 2 * ASK_PAD), Uint16(ASK_ROW_H - ASK_ROW_GAP)};
}

const SDL_Rect BOX = {ASK_X, ASK_Y, ASK_W, ASK_H};

// The answers as the chooser's items: "1  twelve" in the row it draws.
std::vector<ChoiceItem> answer_items(const Asking &asking)
{
    std::vector<ChoiceItem> items;
    for (int i = 0; i < int(asking.shown.size()); i++) {
        ChoiceItem item;
        item.words = std::to_string(i + 1) + "  " +
                     question_part(*asking.question, asking.shown[std::size_t(i)]);
        item.rect = row_rect(i);
        items.push_back(item);
    }
    return items;
}

void draw_box(const Asking &asking)
{
    fill(BOX, BORDER_COLOUR);
    fill(SDL_Rect{ASK_X + 2, ASK_Y + 2, ASK_W - 4, ASK_H - 4}, BOX_COLOUR);
    std::vector<std::string> lines = wrap_words(asking.question->text, QUESTION_LINE_CHARS);
    for (std::size_t i = 0; i < lines.size(); i++)
        draw_big_text(ASK_X + ASK_PAD, ASK_Y + ASK_PAD + int(i) * ASK_LINE_H, lines[i], ASK_SCALE,
                      TEXT_COLOUR, BOX);
    SDL_UpdateRect(screen, ASK_X, ASK_Y, ASK_W, ASK_H);
}

// An answer's row in the verdict's colour.
void mark_row(const ChoiceItem &item, SDL_Color colour)
{
    SDL_Rect r = item.rect;
    fill(r, colour);
    draw_big_text(r.x + 8, r.y + (r.h - ASK_SCALE * PANEL_FONT_H) / 2, item.words, ASK_SCALE,
                  TEXT_COLOUR, r);
    SDL_UpdateRect(screen, r.x, r.y, r.w, r.h);
}

// The verdict's lines, one under the other.
void draw_verdict(const std::vector<std::string> &lines)
{
    SDL_Rect r{ASK_X + ASK_PAD, ASK_VERDICT_Y, ASK_W - 2 * ASK_PAD, ASK_VERDICT_H};
    fill(r, BOX_COLOUR);
    for (std::size_t i = 0; i < lines.size() && i < std::size_t(VERDICT_LINES); i++)
        draw_big_text(r.x, r.y + int(i) * ASK_LINE_H, lines[i], ASK_SCALE, TEXT_COLOUR, r);
    SDL_UpdateRect(screen, r.x, r.y, r.w, r.h);
}

// A child's answer through the chooser: keys 1 to 4 as well as its own keys,
// a click, or one button's scanning.
Outcome read_answer(const std::vector<ChoiceItem> &items, int &chosen)
{
    // Presses made before the question was shown (a die stopped twice) do
    // not answer it.
    SDL_PumpEvents();
    SDL_Event stale;
    while (SDL_PeepEvents(&stale, 1, SDL_GETEVENT,
                          SDL_KEYUPMASK | SDL_KEYDOWNMASK | SDL_MOUSEBUTTONUPMASK |
                              SDL_MOUSEBUTTONDOWNMASK | SDL_JOYBUTTONUPMASK | SDL_JOYBUTTONDOWNMASK) > 0) {
    }
    ChooserSettings settings;
    settings.number_keys = true;
    if (options.one_button)
        settings.scan_ms = DEFAULT_SCAN_MS;
    Choice choice = choose(items, 0, settings);
    chosen = choice.chosen;
    return choice.outcome;
}

// The computer reads a while, then answers right COMPUTER_RIGHT_CHANCE of the time.
Outcome computer_answer(const Asking &asking, const std::vector<ChoiceItem> &items, int &chosen)
{
    for (const ChoiceItem &item : items)
        draw_choice_item(item, false);
    Outcome seen = speak_finish();
    if (seen == Outcome::go_on)
        seen = game_wait(COMPUTER_THINK_MS);
    bool right = std::bernoulli_distribution(COMPUTER_RIGHT_CHANCE)(chance);
    std::vector<int> rows;
    for (int i = 0; i < int(asking.shown.size()); i++)
        if ((asking.shown[std::size_t(i)] == 1) == right)
            rows.push_back(i);
    chosen = rows[std::uniform_int_distribution<std::size_t>(0, rows.size() - 1)(chance)];
    if (seen == Outcome::go_on)
        draw_choice_item(items[std::size_t(chosen)], true);
    return seen;
}

void say_question(const Asking &asking)
{
    const Question &q = *asking.question;
    std::printf("Question: %s\n", terminal_text(q.text).c_str());
    for (int i = 0; i < int(asking.shown.size()); i++)
        std::printf("Answer %d: %s\n", i + 1,
                    terminal_text(question_part(q, asking.shown[std::size_t(i)])).c_str());
    speak_recorded(0, question_sound_path(location, q, 0), q.text);
    for (int i = 0; i < int(asking.shown.size()); i++) {
        int part = asking.shown[std::size_t(i)];
        speak_recorded(i + 1, question_sound_path(location, q, part), question_part(q, part));
    }
}

// Right or wrong shown, printed and, for a wrong answer, the right one said;
// the box stays until that has been said and VERDICT_MS has passed.
Outcome show_verdict(const Asking &asking, const std::vector<ChoiceItem> &items, int chosen,
                     bool praised)
{
    const Question &q = *asking.question;
    bool right = asking.shown[std::size_t(chosen)] == 1;
    auto right_row = std::find(asking.shown.begin(), asking.shown.end(), 1) - asking.shown.begin();
    std::puts(right ? "Right" : "Wrong");
    if (!right)
        mark_row(items[std::size_t(chosen)], WRONG_COLOUR);
    mark_row(items[std::size_t(right_row)], RIGHT_COLOUR);
    std::string language = version_language(location);
    if (right) {
        draw_verdict({phrase_verdict(praised, language).text});
        speak_right(praised);
    } else {
        draw_verdict(answer_is_lines(q.right, language));
        speak_right_answer(question_sound_path(location, q, 1), q.right);
    }
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
    std::vector<ChoiceItem> items = answer_items(asking);
    say_question(asking);
    int chosen = -1;
    if (seen == Outcome::go_on)
        seen = options.computer[std::size_t(which)] ? computer_answer(asking, items, chosen)
                                                     : read_answer(items, chosen);
    if (seen == Outcome::go_on) {
        right = asking.shown[std::size_t(chosen)] == 1;
        asked_count[std::size_t(which)]++;
        right_count[std::size_t(which)] += right ? 1 : 0;
        seen = show_verdict(asking, items, chosen, answer_praised(square, blist[square]->dest, right));
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
