// The board author's report: records, problems, voices, odds and times.
#include "report.h"

#include "boards.h"
#include "gametime.h"
#include "geometry.h"
#include "guards.h"
#include "language.h"
#include "mixer.h"
#include "odds.h"
#include "paths.h"
#include "question_report.h"
#include "utf8.h"
#include "voices.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>

namespace {

__attribute__((format(printf, 1, 2))) std::string format(const char *pattern, ...)
{
    va_list args;
    va_start(args, pattern);
    va_list again;
    va_copy(again, args);
    int size = std::max(std::vsnprintf(nullptr, 0, pattern, again), 0);
    va_end(again);
    std::string text(std::size_t(size) + 1, '\0');
    std::vsnprintf(&text[0], text.size(), pattern, args);
    va_end(args);
    text.resize(std::size_t(size));
    return text;
}

std::string at(const std::string &path, int line)
{
    return path + ":" + std::to_string(line) + ": ";
}

const char *kind(const VersionRecord &record)
{
    return record.end > record.start ? "ladder" : "chute";
}


// "12.3 s", or "4 min 05.2 s" from a minute on.
std::string duration(double ms)
{
    double seconds = ms / 1000;
    if (seconds < 60)
        return format("%.1f s", seconds);
    int minutes = int(seconds / 60);
    return format("%d min %04.1f s", minutes, seconds - 60.0 * minutes);
}

void one_record_problems(const VersionRecord &record, const std::array<int, SQUARE_COUNT> &first,
                         const std::array<int, SQUARE_COUNT> &last, const std::string &path,
                         std::vector<Finding> &findings)
{
    std::vector<std::string> problems;
    std::string here = at(path, record.line);
    if (first[record.start] != record.line)
        problems.push_back(here + format("square %d already starts the record of line %d: "
                                         "this later one wins, but both pictures are drawn",
                                         record.start, first[record.start]));
    if (record.start == 0)
        problems.push_back(here + "the record starts on square 0, where no token ever "
                                  "lands: the game can never take it");
    if (record.start == WIN_SQUARE)
        problems.push_back(here + "the record starts on square 99: a token that walks onto 99 "
                                  "takes it and has not won");
    // An end square in doubt is the note's finding alone.
    bool clear = end_square_is_clear(record);
    if (clear && record.start == record.end)
        problems.push_back(here + format("the record goes from square %d to itself: "
                                         "nothing is drawn and the token does not move",
                                         record.start));
    else if (clear && record.start != record.end && record.end != WIN_SQUARE &&
             last[record.end] != 0)
        problems.push_back(here + format("the %s from %d ends on square %d, where the record "
                                         "of line %d starts: the game does not follow it on, "
                                         "the token stays on %d",
                                         kind(record), record.start, record.end, last[record.end],
                                         record.end));
    for (const std::string &problem : problems)
        findings.push_back(Finding{record.line, false, problem});
    std::vector<Finding> notes = note_findings(record, path);
    findings.insert(findings.end(), notes.begin(), notes.end());
}

} // namespace

std::vector<Finding> record_findings(const VersionFile &file, const std::string &path)
{
    std::vector<Finding> findings;
    for (const std::string &problem : file.problems)
        findings.push_back(finding_from(problem, path, false));
    std::array<int, SQUARE_COUNT> first{};
    std::array<int, SQUARE_COUNT> last{};
    for (const VersionRecord &record : file.records) {
        if (first[record.start] == 0)
            first[record.start] = record.line;
        last[record.start] = record.line;
    }
    for (const VersionRecord &record : file.records)
        one_record_problems(record, first, last, path, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding &a, const Finding &b) { return a.line < b.line; });
    return findings;
}

Voices check_voices(const std::string &version, const std::vector<VersionRecord> &records)
{
    Voices voices;
    std::array<std::string, SQUARE_COUNT> text;
    std::array<bool, SQUARE_COUNT> text_ok{};
    for (const VersionRecord &record : records) {
        auto same = [&](const VoiceCheck &c) { return c.square == record.start; };
        auto found = std::find_if(voices.checks.begin(), voices.checks.end(), same);
        if (found == voices.checks.end())
            found = voices.checks.insert(voices.checks.end(), VoiceCheck{});
        VoiceCheck &check = *found;
        // A square's files are read once, however many records name it
        // (mended: see QUIRKS.md, 'one look per voice').
        bool first = check.wav_path.empty();
        check.square = record.start;
        check.line = record.line;
        check.speakable = note_is_speakable(record);
        if (first) {
            check.text_path = square_text_path(version, record.start);
            check.wav_path = square_sound_path(version, record.start);
            check.wav = check_sound_as_game(check.wav_path);
            // A note text is never longer than its record's note: 79
            // characters, each of up to 4 bytes in UTF-8.
            FileRead read = read_regular_file(check.text_path, NOTE_MAX_BYTES);
            text[record.start] = read.ok ? read.bytes : std::string();
            text_ok[record.start] = read.ok;
            check.text_found = !read.missing;
            for (const auto &files : {square_kept_texts(version, record.start),
                                      square_temporaries(version, record.start)})
                for (const RunFile &file : files)
                    check.cut_short.push_back(file.path);
        }
        check.text_matches = text_ok[record.start] && text[record.start] == record.note;
        voices.made = voices.made || check.wav.found || check.text_found;
    }
    return voices;
}

std::vector<Finding> version_findings(const VersionFile &file, const std::string &path,
                                      const Voices &voices)
{
    std::vector<Finding> findings = record_findings(file, path);
    for (const VoiceCheck &check : voices.checks) {
        auto record = std::find_if(file.records.rbegin(), file.records.rend(),
                                   [&](const VersionRecord &r) { return r.start == check.square; });
        if (check.wav.playable && check.text_matches && check.cut_short.empty() &&
            record != file.records.rend())
            for (const Finding &wait : voice_wait_findings(*record, check.wav.ms, path))
                findings.push_back(wait);
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding &a, const Finding &b) { return a.line < b.line; });
    return findings;
}

std::vector<std::string> voice_problems(const Voices &voices, const std::string &version)
{
    std::vector<std::string> problems;
    if (!voices.made)
        return problems;
    std::string again = ": run squarevox " + version + " again";
    for (const VoiceCheck &check : voices.checks) {
        if (!check.speakable)
            continue;
        if (!check.wav.found)
            problems.push_back(check.wav_path + ": missing" + again);
        else if (!check.wav.playable)
            problems.push_back(check.wav_path + ": not a WAV the game can play: " + check.wav.fault);
        if (!check.cut_short.empty()) {
            for (const std::string &left : check.cut_short)
                problems.push_back(left + ": left by a squarevox run that was cut short while it "
                                          "spoke this note, so the voice may still be the old "
                                          "note's" + again);
        } else if (!check.text_found) {
            problems.push_back(check.text_path + ": missing" + again);
        } else if (!check.text_matches) {
            problems.push_back(check.text_path + format(": does not hold the note of line %d of ",
                                                        check.line) +
                               version_config_path(version) + " (edited since its voice was made)" +
                               again);
        }
    }
    return problems;
}

namespace {

void print_board(const std::vector<VersionRecord> &records, std::ostream &out)
{
    out << "Ladders and chutes, in file order: " << records.size() << "\n";
    if (!records.empty())
        out << "  line  from    to  kind    length\n";
    for (const VersionRecord &r : records) {
        out << format("  %4d  %4d  %4d  %-6s  %d px", r.line, r.start, r.end, kind(r),
                      band_length(r.start, r.end));
        if (r.end > r.start)
            out << format(" (drawn %d px)", drawn_length(r.start, r.end));
        out << "\n";
    }
}

// Whether any note is read as characters beyond ASCII.
bool has_character_notes(const std::vector<VersionRecord> &records)
{
    return std::any_of(records.begin(), records.end(), [](const VersionRecord &r) {
        return is_valid_utf8(r.note) && character_count(r.note) != r.note.size();
    });
}

// The language's findings and those of the notes' characters, in line order
// among `findings`; the glyphs are read only when a note needs them.
void add_language_findings(const LanguageRead &language, const std::string &version,
                           const std::vector<VersionRecord> &records, const std::string &path,
                           std::vector<Finding> &findings)
{
    if (!language.fault.empty())
        findings.insert(findings.begin(), Finding{0, false, language.fault});
    else if (voice_for_language(language.tag).program == SpeechProgram::NONE)
        findings.insert(findings.begin(),
                        Finding{0, true, version_language_path(version) + ": warning: no voice speaks \"" +
                                             language.tag + "\": squarevox cannot make its voices"});
    if (!has_character_notes(records))
        return;
    if (!language.given)
        findings.insert(findings.begin(),
                        Finding{0, true, version_language_path(version) +
                                             ": warning: the notes hold letters beyond ASCII but "
                                             "the version has no language file, so squarevox "
                                             "speaks them in English, which skips or garbles "
                                             "them; write the language's tag (fr, de, el, ...) "
                                             "into this file"});
    WideFont font = read_wide_font(WIDE_FONT);
    for (const VersionRecord &record : records)
        for (const Finding &found : note_character_findings(record, path, font))
            findings.push_back(found);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding &a, const Finding &b) { return a.line < b.line; });
}

// The language, its voice and every note's length in characters; printed for
// a version with a language file only, so that an English board's report
// stays as it was.
void print_language(const LanguageRead &language, const std::string &version,
                    const std::vector<VersionRecord> &records, std::ostream &out)
{
    out << "\nLanguage: ";
    if (!language.fault.empty())
        out << "unknown (" << language.fault << ")\n";
    else
        out << language.tag << " (" << version_language_path(version) << "), voice: "
            << (voice_for_language(language.tag).program == SpeechProgram::NONE
                    ? std::string("none")
                    : voice_for_language(language.tag).description)
            << "\n";
    out << "Notes, in characters after the blank (the panel shows at most "
        << NOTE_TEXT_MAX << "):\n";
    out << "  line  from  characters  read as\n";
    for (const VersionRecord &r : records) {
        std::string words = words_of(r.note);
        bool by_character = is_valid_utf8(words);
        out << format("  %4d  %4d  %10d  %s\n", r.line, r.start, int(character_count(words)),
                      by_character ? "UTF-8 characters" : "bytes (not valid UTF-8)");
    }
}

void print_findings(const std::vector<Finding> &findings, std::ostream &out)
{
    std::size_t warnings = std::count_if(findings.begin(), findings.end(),
                                         [](const Finding &f) { return f.warning; });
    std::size_t problems = findings.size() - warnings;
    out << "\nProblems: " << (problems == 0 ? "none" : std::to_string(problems));
    if (warnings > 0)
        out << ", warnings: " << warnings;
    out << "\n";
    for (const Finding &finding : findings)
        out << "  " << finding.text << "\n";
}

std::string voice_line(const VoiceCheck &check)
{
    std::string wav = !check.wav.found     ? "missing"
                      : check.wav.playable ? format("%.2f s", check.wav.ms / 1000)
                                           : "not playable";
    std::string text = !check.speakable     ? "no words to speak"
                       : !check.cut_short.empty() ? "voice run cut short"
                       : !check.text_found  ? "note text missing"
                       : check.text_matches ? "note up to date"
                                            : "note edited since";
    return format("  square%02d.wav  %-12s  %s\n", check.square, wav.c_str(), text.c_str());
}

void print_voices(const Voices &voices, const std::string &version, std::ostream &out)
{
    if (voices.checks.empty()) {
        out << "\nVoices: none needed\n";
        return;
    }
    if (!voices.made) {
        out << "\nVoices: none made yet; run squarevox " << version
            << " here to make them (the game plays without them, silently)\n";
        return;
    }
    out << "\nVoices:\n";
    for (const VoiceCheck &check : voices.checks)
        out << voice_line(check);
}

// `followed` is how far the distribution was followed, in `unit`s.
std::string quantiles(int median, int p90, const char *unit, int followed)
{
    if (median < 0)
        return format("beyond %d %s", followed, unit);
    if (p90 < 0)
        return format("median %d %s, 90th percentile beyond %d %s", median, unit, followed, unit);
    return format("median %d %s, 90th percentile %d %s", median, unit, p90, unit);
}

// "Player 1 wins 50.84 % of games, Player 2 49.16 %", and so on for more.
std::string wins_line(const Odds &odds)
{
    std::string line = format("Player 1 wins %.2f %% of games", 100 * odds.wins[0]);
    for (int p = 1; p < odds.players; p++)
        line += format(", Player %d %.2f %%", p + 1, 100 * odds.wins[std::size_t(p)]);
    return line;
}

void print_odds(const Odds &odds, bool questions, std::ostream &out)
{
    if (questions)
        out << format("\nOdds for %d players without the questions (every ladder and chute "
                      "taken), exact:\n", odds.players);
    else if (odds.players == PLAYERS)
        out << "\nOdds, exact, from the game's rules:\n";
    else
        out << format("\nOdds for %d players, exact, from the game's rules:\n", odds.players);
    if (odds.trap >= 0)
        out << format("  a token can come to square %d, from which it never reaches 99: "
                      "the game may never end\n", odds.trap);
    else
        out << format("  one token reaches 99 in %.2f turns on average\n", odds.expected_turns);
    out << "  game length: "
        << quantiles(rounds_quantile(odds, 0.5), rounds_quantile(odds, 0.9), "rounds", MAX_TURNS)
        << "\n    (a round is a turn of each player; in turns of "
        << (odds.players == 2 ? "both" : "all") << " players: "
        << quantiles(turns_quantile(odds, 0.5), turns_quantile(odds, 0.9), "turns",
                     odds.players * MAX_TURNS)
        << ")\n";
    out << "  " << wins_line(odds) << "\n";
    double lost = 1;
    for (int p = 0; p < odds.players; p++)
        lost -= odds.wins[std::size_t(p)];
    if (odds.trap >= 0 || odds.cut_off)
        out << format("  games still going after %d rounds: %.4g %%\n", int(odds.alive.size()) - 1,
                      100 * lost);
}

// A fixed sound's duration; a remark when the game cannot play it.
double fixed_sound_ms(const char *path, std::vector<std::string> &remarks)
{
    WavInfo wav = check_sound_as_game(path);
    if (!wav.playable)
        remarks.push_back(std::string(path) + ": " +
                          (wav.found ? "not playable, " + wav.fault : std::string("missing")) +
                          "; counted as 0 s");
    return wav.ms;
}

SoundTimes sound_times(const Voices &voices, int players, std::vector<std::string> &remarks)
{
    SoundTimes sounds;
    for (int which = 0; which < players; which++)
        sounds.turn_ms[which] = fixed_sound_ms(TURN_SOUNDS[which], remarks);
    for (int which = 0; which < players; which++)
        sounds.win_ms[which] = fixed_sound_ms(WIN_SOUNDS[which], remarks);
    for (const VoiceCheck &check : voices.checks)
        sounds.note_ms[check.square] = check.wav.ms;
    return sounds;
}

void print_time(const DestTable &dest, const Odds &odds, const Voices &voices, std::ostream &out)
{
    out << "\nExpected animation and sound time per game, besides rolling the die:\n";
    if (odds.trap >= 0) {
        out << "  none: a game may never end\n";
        return;
    }
    std::vector<std::string> remarks;
    GameTime time = expected_game_time(dest, odds, sound_times(voices, odds.players, remarks));
    out << "  turn sounds       " << duration(time.turn_sounds) << "\n"
        << "  walking           " << duration(time.walking) << "\n"
        << "  slides and notes  " << duration(time.slides) << "\n"
        << "  win sound         " << duration(time.win_sound) << "\n"
        << "  total             " << duration(time.total()) << "\n";
    for (const std::string &remark : remarks)
        out << "  " << remark << "\n";
}

} // namespace

int boardcheck(const std::string &version, std::ostream &out, std::ostream &err, int players)
{
    std::string path = version_config_path(version);
    VersionFile file = read_version_file(path);
    if (!file.opened) {
        err << "Cannot open the version file " << path << ": " << file.fault << "\n"
            << "boardcheck: " << version_folder_hint(version) << "\n";
        return STATUS_USAGE;
    }
    Voices voices = check_voices(version, file.records);
    std::vector<Finding> findings = version_findings(file, path, voices);
    LanguageRead language = read_version_language(version);
    add_language_findings(language, version, file.records, path, findings);
    for (const std::string &fault : voice_problems(voices, version))
        findings.push_back(Finding{0, false, fault});
    std::string title_fault;
    version_title(version, title_fault);
    if (!title_fault.empty())
        findings.push_back(Finding{0, false, title_fault});
    QuestionCheck questions = check_questions(version);
    for (const Finding &finding : question_findings(questions, version))
        findings.push_back(finding);
    DestTable dest = dest_table(file.records);
    Odds odds = board_odds(dest, players);
    if (odds.trap >= 0)
        findings.push_back(Finding{0, false, path + format(": a token can come to square %d, from which no roll "
                                         "ever leads to 99: the game may never end", odds.trap)});

    out << "Version " << version << ": " << path << "\n\n";
    print_board(file.records, out);
    if (language.given)
        print_language(language, version, file.records, out);
    print_findings(findings, out);
    print_voices(voices, version, out);
    print_questions(questions, dest, players, version, out);
    print_odds(odds, questions.file.given, out);
    print_time(dest, odds, voices, out);
    if (!mixer_fault().empty())
        out << "\nVoices judged by their headers alone: " << mixer_fault() << "\n";
    bool clean = std::all_of(findings.begin(), findings.end(), [](const Finding &f) { return f.warning; });
    return clean ? STATUS_CLEAN : STATUS_PROBLEMS;
}
