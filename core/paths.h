// The files the programs read and write, all relative to the working folder:
// the game's fixed files and the paths of a version's own files.
#pragma once

#include "rules.h"

#include <array>
#include <string>
#include <vector>

// The sound that announces each player's turn and each player's win, by
// player index.
constexpr std::array<const char *, MAX_PLAYERS> TURN_SOUNDS = {
    "./audio/player1.wav", "./audio/player2.wav", "./audio/player3.wav", "./audio/player4.wav"};
constexpr std::array<const char *, MAX_PLAYERS> WIN_SOUNDS = {
    "./audio/win1.wav", "./audio/win2.wav", "./audio/win3.wav", "./audio/win4.wav"};
constexpr const char *RATTLE_SOUND = "./audio/ambient_-tolvik-57.wav"; // the spinning die
constexpr const char *WALK_TICK_SOUND = "./audio/tick.wav"; // each square walked, under --speak

// The side panel's text font: 256 glyphs of 13 one-byte rows.
constexpr const char *PANEL_FONT = "./image/6x13.fnt";
constexpr int PANEL_FONT_BYTES = 3328;
// Its glyphs from U+0100 on, for notes in UTF-8 (the format: widefont.h).
constexpr const char *WIDE_FONT = "./image/6x13u.fnt";

// The shipped clips of the spoken game, a folder for each language:
// "./audio/say/<language>/<clip>.wav".
constexpr const char *SHIPPED_CLIPS = "./audio/say";

// The chute previewer's picture.
constexpr const char *CHUTE_PICTURE = "./chute1.xpm";

// What squarevox writes in the working folder itself (never shipped): the
// scratch speech, left after a run, the trimmed speech renamed over it, and
// the lock a run holds for its whole length, so two runs in one working
// folder never share the scratch speech (left behind, empty).
constexpr const char *SPEECH_FILE = "temp.wav";
constexpr const char *TRIMMED_SPEECH_FILE = "temp-trim.wav";
constexpr const char *LOCK_FILE = "./.squarevox.lock";

// The programs squarevox runs: the text-to-speech script at its usual place
// (Debian ships the same script as `text2wave` on the search path instead)
// and the sound converter.
constexpr const char *SPEECH_SCRIPT = "/usr/share/festival/examples/text2wave.sh";
constexpr const char *SPEECH_SCRIPT_NAME = "text2wave";
constexpr const char *SOUND_CONVERTER = "/usr/bin/sox";

// The version name as given on a command line, without the trailing slashes
// that shell completion adds to a folder ("mivo/" is "mivo"); a name made of
// slashes only is kept as it is.
std::string version_name(const std::string &arg);

// "./<version>": the version's folder.
std::string version_folder(const std::string &version);

// "./<version>/<version>.config", for a version name of any length.
std::string version_config_path(const std::string &version);

// "./<version>/language": the language of the version's notes.
std::string version_language_path(const std::string &version);

// "./<version>/say": the clips of the spoken game made for the version.
std::string version_clips_folder(const std::string &version);

// "./audio/say/<language>": the shipped clips of a language.
std::string shipped_clips_folder(const std::string &language);

// What to tell someone whose version file cannot be opened: one line naming
// the absolute folder looked in and where version folders are kept.
std::string version_folder_hint(const std::string &version);

// The same line for any other file the programs expect in the working folder
// (`what`, for example "image/6x13.fnt").
std::string working_folder_hint(const std::string &what);

// "./<version>/squareNN", the note of the ladder or chute on square n, NN
// being n with at least two digits ("square07"); its spoken sound is the same
// path with ".wav".
std::string square_text_path(const std::string &version, int square);
std::string square_sound_path(const std::string &version, int square);

// "./<version>/.squareNN.old-PID": while squarevox process PID speaks a new
// note, the square's old note text is kept under this name (empty when there
// was none) and removed once the new voice is in place. Found later, it
// marks a run that was cut short: the square's text may be new while its
// voice is still the old note's.
std::string square_kept_text_path(const std::string &version, int square, long pid);

// A file named for the squarevox process that made it, and that process's ID.
struct RunFile {
    std::string path;
    long pid = 0;
};

// Every file in `folder` whose name is `head` followed by a PID: the PID
// alone (`then_more` false) or the PID, "-" and more (true); with the PID
// each names. None when the folder cannot be read.
std::vector<RunFile> run_files(const std::string &folder, const std::string &head, bool then_more);

// The square's kept old texts (square_kept_text_path) in the version folder.
std::vector<RunFile> square_kept_texts(const std::string &version, int square);

// The temporaries of the square's text and sound files in the version folder
// (create_temporary: ".squareNN.new-PID-XXXXXX", the sound's with ".wav"). A
// run removes its own once it is done with them: found later, beside a PID
// that no longer runs, they are a run's that was cut short.
std::vector<RunFile> square_temporaries(const std::string &version, int square);
