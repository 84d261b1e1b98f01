// What a board author can get wrong in one record's note, judged as the
// game's panel and the speech program will treat it.
#pragma once

#include "records.h"
#include "widefont.h"

#include <string>
#include <vector>

// One line of the report about the version file: a problem (the board is not
// what the author meant) or a warning (it works, but not as well as it could).
struct Finding {
    int line = 0;         // of the version file, from 1; 0 for the file as a whole
    bool warning = false;
    std::string text;     // "path:line: what" (with "warning: " after the line)
};

// "a", "a and b", "a, b and c".
std::string joined(const std::vector<std::string> &items);

// The note's words as the author wrote them: without the separating blank
// and the line end.
std::string words_of(const std::string &note);

// False when the end square runs straight into the note ("16 4r5"): the end
// square read is then doubtful, and only that fault is worth naming.
bool end_square_is_clear(const VersionRecord &record);

// True when the note has a letter or digit for the speech program to say;
// note_findings names every note that has none.
bool note_is_speakable(const VersionRecord &record);
// Whether valid UTF-8 `words` have a letter or digit for the speech program.
bool has_spoken_character(const std::string &words);

// Findings about `record`'s note, each at the record's line, in this order: no
// blank between the end square and the note ("16 4r5"), no words at all, a
// last line without a line end (the panel drops the last letter), bytes
// beyond plain ASCII in a note that is not valid UTF-8 (the font draws each
// byte as a sign of its own and the speech program skips or garbles them), control
// characters such as a tab (drawn as a sign; as a box in a note with letters
// beyond ASCII) and DEL (drawn as a blank; a box there too), and
// words with no letter or digit (the speech program has nothing to say and
// fails). A note whose end
// square runs into it is named for that alone when no words are left.
std::vector<Finding> note_findings(const VersionRecord &record, const std::string &path);

// What is wrong with the characters beyond ASCII of `words` in valid UTF-8,
// the words of `subject` ("the note") that `drawer` ("the panel") draws one
// a cell: a script it cannot show right (written right to left or shaped) is
// named as not supported yet, characters for which neither the 8-bit font
// nor `font` has a glyph are listed, and so are combining marks (a
// decomposed accent takes a cell of its own). Nothing for ASCII or for text
// that is not UTF-8.
std::vector<std::string> character_faults(const std::string &words, const std::string &subject,
                                          const std::string &drawer, const WideFont &font);
// character_faults of a note, each a finding at its record's line. None for
// byte-read notes (note_findings names those).
std::vector<Finding> note_character_findings(const VersionRecord &record, const std::string &path,
                                             const WideFont &font);

// A warning when the voice of `record`'s square, lasting `voice_ms`, outlasts
// its slide by more than VOICE_WAIT_WARN_MS: the turn waits for the voice
// after the slide. None otherwise.
constexpr double VOICE_WAIT_WARN_MS = 3000;
std::vector<Finding> voice_wait_findings(const VersionRecord &record, double voice_ms,
                                         const std::string &path);

// A finding made from a text that starts "path:line: " (as the reader's
// problems do); line 0 when it does not.
Finding finding_from(const std::string &text, const std::string &path, bool warning);
