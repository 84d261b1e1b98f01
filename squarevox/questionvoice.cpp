// Speaking the questions and answers of a version.
#include "questionvoice.h"

#include "guards.h"
#include "platform.h"
#include "run.h"
#include "voice.h"

#include <cstdio>

namespace {

// Each part's words are spoken from ".question-text-PID" in the version folder.
constexpr const char *QUESTION_TEXT_HEAD = ".question-text-";

bool make_part(const std::string &version, const Question &question, int part,
               const std::string &script, const SpeechVoice &voice, bool &interrupted)
{
    const std::string &words = question_part(question, part);
    SpeechJob job;
    job.label = name_of(question_text_path(version, question, part)) + " (line " +
                std::to_string(question.line) + ")";
    job.spoken = part == 0 ? "the question" : "the answer";
    job.voice = voice;
    job.text_path = "./" + version + "/" + QUESTION_TEXT_HEAD + std::to_string(platform_process_id());
    job.sound_path = question_sound_path(version, question, part);
    job.trim = true;
    job.channels = 1;
    // Neither the words nor the voice is written through a link.
    for (const std::string &path : {question_text_path(version, question, part), job.sound_path}) {
        std::string fault = leaf_fault(path);
        if (!fault.empty()) {
            std::fprintf(stderr, "squarevox: %s: %s\n", job.label.c_str(), fault.c_str());
            return false;
        }
    }
    if (std::string fault = write_text(job.text_path, words); !fault.empty()) {
        std::fprintf(stderr, "squarevox: %s: cannot write its words to %s: %s\n",
                     job.label.c_str(), job.text_path.c_str(), fault.c_str());
        std::remove(job.text_path.c_str());
        return false;
    }
    bool made = make_spoken_sound(job, script, interrupted);
    std::remove(job.text_path.c_str());
    if (!made)
        return false;
    std::string fault = write_file_replacing(question_text_path(version, question, part), words);
    if (fault.empty())
        return true;
    std::fprintf(stderr, "squarevox: %s: cannot write its words: %s\n", job.label.c_str(),
                 fault.c_str());
    return false;
}

} // namespace

int make_question_voices(const std::string &version, const QuestionFile &file,
                         const std::string &script, const SpeechVoice &voice)
{
    remove_dead_run_files(run_files("./" + version, QUESTION_TEXT_HEAD, false), "the questions");
    bool all_made = true;
    for (const Question &question : file.questions)
        for (int part = 0; part < question_parts(question); part++) {
            bool interrupted = false;
            all_made = make_part(version, question, part, script, voice, interrupted) && all_made;
            if (interrupted || interrupt_signal() != 0) {
                std::fprintf(stderr, "squarevox: interrupted at the question of line %d\n",
                             question.line);
                int sig = interrupt_signal();
                return sig != 0 ? 128 + sig : 130;
            }
        }
    return all_made ? 0 : 1;
}
