// The questions' part of the report.
#include "question_report.h"

#include "guards.h"
#include "mixer.h"
#include "question_odds.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string rounds(int n)
{
    return n < 0 ? "beyond " + std::to_string(MAX_TURNS) : std::to_string(n);
}

std::string voice_state(const QuestionVoice &voice)
{
    std::string wav = !voice.wav.found     ? "missing"
                      : voice.wav.playable ? fixed(voice.wav.ms / 1000, 2) + " s"
                                           : "not playable";
    std::string text = !voice.text_found   ? "text missing"
                       : voice.text_matches ? "words up to date"
                                            : "words edited since";
    return wav + ", " + text;
}

// What the question box would draw wrong (problems) and answers the speech
// program may fail on (a warning), each once at its question's line.
void add_text_findings(const QuestionFile &file, const std::string &version,
                       std::vector<Finding> &findings)
{
    if (file.questions.empty())
        return;
    WideFont font = read_wide_font(WIDE_FONT);
    const std::string path = version_questions_path(version);
    for (const Question &q : file.questions) {
        auto at_line = [&](bool warning, const std::string &what) {
            std::string at = path + ":" + std::to_string(q.line) + ": ";
            findings.push_back(Finding{q.line, warning, at + (warning ? "warning: " : "") + what});
        };
        std::vector<std::string> faults;
        for (int part = 0; part < question_parts(q); part++)
            for (const std::string &what :
                 character_faults(question_part(q, part), part == 0 ? "the question" : "an answer",
                                  "the question box", font))
                if (std::find(faults.begin(), faults.end(), what) == faults.end())
                    faults.push_back(what);
        for (const std::string &what : faults)
            at_line(false, what);
        // The speech programs say some signs ("+") and fail on others.
        std::vector<std::string> silent;
        for (int part = 1; part < question_parts(q); part++)
            if (!has_spoken_character(question_part(q, part)))
                silent.push_back("\"" + question_part(q, part) + "\"");
        if (silent.empty())
            continue;
        bool one = silent.size() == 1;
        std::string them = one ? "it" : "them";
        at_line(true, std::string(one ? "the answer " : "the answers ") + joined(silent) +
                          (one ? " has" : " have") + " no letter or digit: the speech program may fail on " +
                          them + " and squarevox then makes no voice; write " + them + " in words");
    }
}

} // namespace

QuestionCheck check_questions(const std::string &version)
{
    QuestionCheck check;
    check.file = read_version_questions(version);
    for (const Question &q : check.file.questions)
        for (int part = 0; part < question_parts(q); part++) {
            QuestionVoice voice;
            voice.text_path = question_text_path(version, q, part);
            voice.wav_path = question_sound_path(version, q, part);
            voice.wav = check_sound_as_game(voice.wav_path);
            FileRead text = read_regular_file(voice.text_path, QUESTIONS_FILE_MAX_BYTES);
            voice.text_found = !text.missing;
            voice.text_matches = text.ok && text.bytes == question_part(q, part);
            check.voices_made = check.voices_made || voice.wav.found || voice.text_found;
            check.voices.push_back(voice);
        }
    return check;
}

std::vector<Finding> question_findings(const QuestionCheck &check, const std::string &version)
{
    std::vector<Finding> findings;
    if (!check.file.fault.empty())
        findings.push_back(Finding{0, false, check.file.fault});
    for (const std::string &problem : check.file.problems)
        findings.push_back(finding_from(problem, version_questions_path(version), false));
    add_text_findings(check.file, version, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding &a, const Finding &b) { return a.line < b.line; });
    if (!check.voices_made)
        return findings;
    std::string again = ": run squarevox " + version + " again";
    for (const QuestionVoice &voice : check.voices) {
        if (!voice.wav.found)
            findings.push_back(Finding{0, false, voice.wav_path + ": missing" + again});
        else if (!voice.wav.playable)
            findings.push_back(Finding{0, false, voice.wav_path + ": not a WAV the game can play: " +
                                                     voice.wav.fault});
        if (!voice.text_matches)
            findings.push_back(Finding{0, false, voice.text_path +
                                                     (voice.text_found ? ": does not hold the words of "
                                                                         "its question line (edited "
                                                                         "since its voice was made)"
                                                                       : ": missing") + again});
    }
    return findings;
}

void print_questions(const QuestionCheck &check, const DestTable &dest, int players,
                     const std::string &version, std::ostream &out)
{
    if (!check.file.given)
        return;
    AskedTable asked = asked_table(check.file);
    int squares = 0;
    for (bool a : asked)
        squares += a ? 1 : 0;
    out << "\nQuestions: " << check.file.questions.size() << " on " << squares
        << (squares == 1 ? " square (" : " squares (")
        << version_questions_path(version) << ")\n";
    if (!check.voices.empty() && !check.voices_made)
        out << "  Voices: none made yet; run squarevox " << version
            << " here to make them (the game asks without them, silently)\n";
    else if (check.voices_made)
        for (const QuestionVoice &voice : check.voices)
            out << "  " << name_of(voice.wav_path) << "  " << voice_state(voice) << "\n";
    if (check.file.questions.empty())
        return;
    out << "  Odds for " << players << " players, by how often the child answers right:\n";
    for (double rate : ANSWER_RATES) {
        Odds odds = chain_odds(question_moves(dest, asked, rate), players);
        std::string who = rate == 1.0 ? "every time" : rate == 0.5 ? "half the time" : "3 times in 4";
        out << "  " << who << ": ";
        if (odds.trap >= 0) {
            out << "a token can come to square " << odds.trap << ", from which it never reaches 99\n";
            continue;
        }
        out << "one token reaches 99 in " << fixed(odds.expected_turns, 2)
            << " turns on average; game length median " << rounds(rounds_quantile(odds, 0.5))
            << " rounds, 90th percentile " << rounds(rounds_quantile(odds, 0.9)) << " rounds\n";
    }
}
