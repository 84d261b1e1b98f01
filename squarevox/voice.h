// Turning one record of a version file into its square text file and its
// spoken square sound file, by the text-to-speech program and the converter.
#pragma once

#include "paths.h"
#include "records.h"
#include "voices.h"

#include <string>
#include <vector>

// The level every voice is brought to: the speech's RMS level, which for one
// voice follows its integrated loudness within a few tenths of a LU, and the
// highest sample peak the gain may give (the resampling after it may add a
// little; the finished voice stays at or below -1 dBFS). -25 dBFS (about -22
// LUFS for the stereo voice) is close to the level festival speaks at: the
// speech recogniser of tools/voice_wer.py misheard more of the same speech
// the more it was raised above it (12.5 % word errors at -20 dBFS, 8.0 % at
// -25), and the game's other sounds sit at the same loudness.
constexpr double TARGET_RMS_DB = -25.0;
constexpr double PEAK_CEILING_DB = -2.0;
// The clips of the game's voice are cut where the speech starts and ends:
// the first and last SILENCE_SPAN seconds above the level. The end's level is
// lower, so that the faint release of a last consonant ("eight") stays.
constexpr const char *SILENCE_SPAN = "0.005";
constexpr const char *SILENCE_START_LEVEL = "0.5%";
constexpr const char *SILENCE_END_LEVEL = "0.05%";
// Speech shorter than this is no speech: festival leaves a click of some
// 35 ms for a note made only of characters it cannot say.
constexpr double MIN_SPEECH_MS = 100;

// The text as one shell word: in single quotes, each ' written as '\''. Any
// text, blanks, quotes, ; $ ` & | and line ends included, reaches the command
// unchanged and runs nothing.
std::string shell_quote(const std::string &text);

// The script festival runs: `usual_path` if it is a readable file, otherwise
// the first executable `name` in the ':'-separated folders of `search_path`
// (an empty folder is the working directory); `usual_path` when neither.
std::string find_speech_script(const std::string &usual_path, const std::string &name,
                               const std::string &search_path);

// Every file an outside program writes (temp.wav, temp-trim.wav, the
// converted sound's temporary) is made by the tool first, exclusively and
// never through a link, and named to the program as /dev/fd/N (fd_path): a
// link planted at its name meanwhile is never followed, so nothing outside
// the working and version folders is written (mended: see QUIRKS.md, 'no
// write through a link').

// "festival --script SCRIPT TEXTPATH -o OUTPUT", the paths quoted; OUTPUT is
// temp.wav's /dev/fd path.
std::string speech_command(const std::string &script, const std::string &text_path,
                           const std::string &output = SPEECH_FILE);

// The command that speaks the text file at `text_path` into `output` in
// `voice`: speech_command for festival, "espeak-ng -v VOICE -w OUTPUT -f
// TEXTPATH" (voice and paths quoted) for espeak-ng.
std::string speech_command_for(const SpeechVoice &voice, const std::string &script,
                               const std::string &text_path,
                               const std::string &output = SPEECH_FILE);

// Why a file of ours may not be replaced: empty when it is absent or a
// regular file. Symbolic links are not followed.
std::string leaf_fault(const std::string &path);

// Writes `text` and a line end where a speech program reads it, into a file
// made new (create_output), never through a link planted at its name; the
// fault in words, empty when written.
std::string write_text(const std::string &path, const std::string &text);

// Makes the file `path` new and empty, exclusively: whatever is there, a
// link included, is removed first (never followed), a folder refused.
// Returns its descriptor, or -1 with the fault in words.
int create_output(const std::string &path, std::string &fault);

// "/usr/bin/sox temp.wav -n stats": the speech's peak and RMS levels, on
// standard error; with a pitch shift, "/usr/bin/sox temp.wav -n pitch P
// stats", the levels of the speech as the conversion shifts it.
std::string measure_command(int pitch_cents = 0);

// Reads the overall "Pk lev dB" and "RMS lev dB" from sox's stats; false when
// either is missing or not finite (silence).
bool parse_levels(const std::string &stats, double &peak_db, double &rms_db);

// The gain in dB that brings speech of these levels to TARGET_RMS_DB without
// its peak passing PEAK_CEILING_DB.
double level_gain(double peak_db, double rms_db);

// "/usr/bin/sox -c1 -e signed-integer -b 16 temp.wav -cN -r 22050 -t wav OUTPUT
// gain G", N the channels (2 for a note), the output path quoted, G with two
// decimals; with a pitch shift, "pitch P" comes before the gain.
std::string conversion_command(const std::string &output_path, double gain_db, int channels = 2,
                               int pitch_cents = 0);

// "/usr/bin/sox temp.wav -t wav OUTPUT silence ... reverse silence ... reverse":
// the speech without the silence before and after it, into temp-trim.wav's
// /dev/fd path.
std::string trim_command(const std::string &output = TRIMMED_SPEECH_FILE);

// Whether the note has anything to speak: not empty, not only blanks and
// line ends.
bool note_has_words(const std::string &note);

// One sound to speak: the text file it is spoken from, and where it goes.
struct SpeechJob {
    std::string label;      // names it in messages: "square 7", "clip number27"
    std::string spoken;     // what the speech is of: "the note", "the clip"
    SpeechVoice voice;      // who speaks it (voice_for_language)
    std::string text_path;  // the text festival reads
    std::string sound_path; // the finished sound, a ".wav" path
    bool trim = false;      // cut the silence before and after the speech
    int channels = 2;
};

// Removes each of `files` whose squarevox process no longer runs: what a
// run that was cut short left. A file of another squarevox that still runs
// is left to it, and one that cannot be removed is reported, each with a line
// on standard error under `label` ("square 4", "clip number05").
void remove_dead_run_files(const std::vector<RunFile> &files, const std::string &label);

// Speaks job.text_path into temp.wav, brings it to the voices' level and
// converts it at 22050 samples per second into a temporary beside
// job.sound_path, which replaces job.sound_path once it is a whole WAV as
// long as the speech. On failure one line on standard error names the job
// and the fault, and job.sound_path stays as it was. `interrupted` is set
// when the run was asked to end.
bool make_spoken_sound(const SpeechJob &job, const std::string &script, bool &interrupted);

// Makes one record's voice. Each new file is written under a temporary name
// in the version folder, checked and only then renamed over the old one: the
// text file (the speech command reads it by its own name, so the old text is
// kept aside and put back if the voice cannot be made), then the sound, which
// must be a whole WAV as long as the speech. On any failure the square's old
// text and sound files stay as they were, byte for byte, no temporary stays
// behind, and one line on standard error names the square and the fault. A
// square text or sound file that is a symbolic link or not a regular file is
// reported and left alone; so is a note without words. While the voice is
// made the old text is kept as square_kept_text_path; one that a killed run
// left is put back first, so the text is again the one the voice was made
// from. Returns true when both files were made; `interrupted` is set when the
// run was asked to end. The note is spoken in `voice` (festival's English
// unless said).
bool make_square_voice(const std::string &version, const VersionRecord &record,
                       const std::string &script, bool &interrupted,
                       const SpeechVoice &voice = SpeechVoice{SpeechProgram::FESTIVAL, "", ""});
