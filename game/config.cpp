// Reading the version's records into the board.
#include "config.h"

#include "chutes.h"
#include "images.h"
#include "paths.h"
#include "squares.h"

#include <cstdio>
#include <cstring>

std::string location;

static void apply_record(const VersionRecord &record)
{
    Square *from = blist[record.start];
    from->dest = record.end;
    std::memcpy(from->note, record.note.c_str(), record.note.size() + 1);
    Point a = square_anchor(record.start);
    Point b = square_anchor(record.end);
    if (record.end > record.start)
        makeladder(a.x, a.y, b.x, b.y);
    else
        makechute(a.x, a.y, b.x, b.y);
}

void place_records(const std::vector<VersionRecord> &records)
{
    // The tiles never change: read once for every board of the run.
    if (s_chute == nullptr)
        s_chute = read_xpm(chute1_xpm);
    if (s_ladder == nullptr)
        s_ladder = read_xpm(ladder1_xpm);
    for (const VersionRecord &record : records)
        apply_record(record);
}

std::optional<Failure> read_config(const std::string &version)
{
    location = version;
    std::string path = version_config_path(location);
    VersionFile file = read_version_file(path);
    if (!file.opened) {
        // A missing file is said as it always was, with where it was looked
        // for; a file that is there but cannot be read is named with why.
        if (file.fault == "missing")
            return Failure{1, "Cannot open the version file " + path + "\nboardgame: " +
                                  version_folder_hint(version) + "\n"};
        return Failure{1, "Cannot open the version file " + path + ": " + file.fault + "\n"};
    }
    for (const std::string &problem : file.problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    place_records(file.records);
    return std::nullopt;
}
