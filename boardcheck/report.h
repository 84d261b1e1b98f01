// The board author's report on a version: its ladders and chutes, its
// problems, its voices, its odds and the time its animation and sounds take.
#pragma once

#include "notes.h"
#include "records.h"
#include "rules.h"
#include "wavguard.h"

#include <ostream>
#include <string>
#include <vector>

constexpr int STATUS_CLEAN = 0;    // no problems
constexpr int STATUS_PROBLEMS = 1; // problems listed in the report
constexpr int STATUS_USAGE = 2;    // no usable command line or no version file

constexpr int STATUS_OUTPUT = 3;   // the report could not be written

// The findings on the records read from `path`, in line order (the reader's
// own problems first within a line): a square that starts a second record, a
// start on 0 or 99, equal squares, an end on the start of another record, and
// each record's note_findings. Each text is "path:line: what".
std::vector<Finding> record_findings(const VersionFile &file, const std::string &path);

// The voice of one start square: "./<version>/squareNN.wav" and the note text
// "./<version>/squareNN" that it was made from.
struct VoiceCheck {
    int square = 0;
    int line = 0;            // the record whose note the game shows (the later
                             // of two for one square)
    std::string wav_path;
    std::string text_path;
    WavInfo wav;             // check_sound_as_game's verdict
    bool text_found = false;
    bool text_matches = false; // the text file holds the record's note exactly
    bool speakable = true;     // the note has words to speak; a voice that
                               // cannot be made is the note's finding alone
    std::vector<std::string> cut_short; // what a killed squarevox left: the
                               // old text (square_kept_text_path; the text
                               // may then be newer than the voice) and the
                               // temporaries (square_temporaries)
};

// The voices of every start square, in order of first appearance. `made` is
// false when not one of their WAV or text files exists: the voices have not
// been made yet, which is not a problem (the game plays without them).
struct Voices {
    bool made = false;
    std::vector<VoiceCheck> checks;
};
Voices check_voices(const std::string &version, const std::vector<VersionRecord> &records);

// record_findings and, for each voice that is playable and up to date, its
// voice_wait_findings at the line of the record the game uses; in line order.
std::vector<Finding> version_findings(const VersionFile &file, const std::string &path,
                                      const Voices &voices);

// Once any voice exists, every square's voice must exist, be playable and be
// made from its record's current note, with no old text of a cut-short run
// beside it; one problem per fault, naming the file.
std::vector<std::string> voice_problems(const Voices &voices, const std::string &version);

// Runs the whole check of `version` in the working directory, its odds and
// times for `players` (2 to 4): the report on `out`, a missing version file
// on `err`. Returns STATUS_CLEAN, STATUS_PROBLEMS or STATUS_USAGE (version
// file missing).
int boardcheck(const std::string &version, std::ostream &out, std::ostream &err,
               int players = PLAYERS);
