// squarevox: speaks every note of a version into the square sound files that
// the game plays.
#include "records.h"
#include "voice.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::printf("No version specified.  Use:  squarevox version\n");
        return 1;
    }
    std::string version = version_name(argv[1]); // further arguments are ignored
    std::string path = version_config_path(version);
    VersionFile file = read_version_file(path);
    if (!file.opened) {
        std::fprintf(stderr, "squarevox: cannot open the version file %s\n", path.c_str());
        return 1;
    }
    for (const std::string &problem : file.problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    const char *search_path = std::getenv("PATH");
    std::string script = find_speech_script(SPEECH_SCRIPT, SPEECH_SCRIPT_NAME,
                                            search_path ? search_path : "");
    // A line the reader had to skip or cut short also fails the run.
    bool all_made = file.problems.empty();
    for (const VersionRecord &record : file.records) {
        bool interrupted = false;
        all_made = make_square_voice(version, record, script, interrupted) && all_made;
        if (interrupted) {
            std::fprintf(stderr, "squarevox: interrupted at square %d\n", record.start);
            return 1;
        }
    }
    return all_made ? 0 : 1;
}
