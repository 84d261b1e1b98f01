// Reading the version's records into the board.
#include "config.h"

#include "chutes.h"
#include "images.h"
#include "paths.h"
#include "records.h"
#include "squares.h"

#include <cstdio>
#include <cstdlib>
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

void read_config(const std::string &version)
{
    s_chute = read_xpm(chute1_xpm);
    s_ladder = read_xpm(ladder1_xpm);
    location = version;
    std::string path = version_config_path(location);
    VersionFile file = read_version_file(path);
    if (!file.opened) {
        // A missing file is said as it always was, with where it was looked
        // for; a file that is there but cannot be read is named with why.
        if (file.fault == "missing")
            std::fprintf(stderr, "Cannot open the version file %s\nboardgame: %s\n", path.c_str(),
                         version_folder_hint(version).c_str());
        else
            std::fprintf(stderr, "Cannot open the version file %s: %s\n", path.c_str(),
                         file.fault.c_str());
        std::exit(1);
    }
    for (const std::string &problem : file.problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    for (const VersionRecord &record : file.records)
        apply_record(record);
}
