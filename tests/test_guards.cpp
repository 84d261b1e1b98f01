// The file guards against what is not a regular file or is too large, and
// the paths of a version's files.
#include "guards.h"
#include "paths.h"
#include "records.h"

#include "support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace {

TEST(FileGuard, OnlyWholeRegularFilesOfBoundedSize)
{
    enter_scratch_folder("guards");
    write_file("small", "12345");
    write_file("empty", "");
    mkdir("folder", 0755);
    ASSERT_EQ(mkfifo("fifo", 0644), 0); // no writer: opening it must not wait
    ASSERT_EQ(symlink("/dev/zero", "endless"), 0);
    ASSERT_EQ(symlink("small", "link"), 0);
    ASSERT_EQ(symlink("nowhere", "dangling"), 0);
    struct Case {
        const char *path;
        std::size_t max;
        bool ok;
        const char *fault;
    } cases[] = {
        {"small", 5, true, ""},
        {"empty", 5, true, ""},
        {"link", 5, true, ""},
        {"small", 4, false, "it is larger than 4 bytes"},
        {"absent", 5, false, "missing"},
        {"dangling", 5, false, "missing"},
        {"absent/deeper", 5, false, "missing"},
        {"folder", 5, false, "it is a folder, not a file"},
        {"fifo", 5, false, "it is a FIFO (named pipe), not a file"},
        {"endless", 5, false, "it is a device, not a file"},
    };
    for (const Case &c : cases) {
        FileRead got = read_regular_file(c.path, c.max);
        EXPECT_EQ(got.ok, c.ok) << c.path;
        EXPECT_EQ(got.fault, c.fault) << c.path;
        EXPECT_EQ(got.missing, std::string(c.fault) == "missing") << c.path;
        EXPECT_EQ(regular_file_fault(c.path), c.max == 4 ? "" : c.fault) << c.path;
    }
    EXPECT_EQ(read_regular_file("small", 5).bytes, "12345");
}

TEST(FileGuard, VersionFilesAreRefusedWithTheirFault)
{
    enter_scratch_folder("guards-version");
    mkdir("v", 0755);
    ASSERT_EQ(symlink("/dev/zero", "v/v.config"), 0);
    VersionFile device = read_version_file(version_config_path("v"));
    EXPECT_FALSE(device.opened);
    EXPECT_EQ(device.fault, "it is a device, not a file");
    write_file("big/big.config", std::string(VERSION_FILE_MAX_BYTES + 1, '\n'));
    EXPECT_EQ(read_version_file(version_config_path("big")).fault,
              "it is larger than 1048576 bytes");
}

TEST(VersionPaths, NamesAsShellCompletionWritesThem)
{
    struct Case {
        const char *arg, *name;
    } cases[] = {{"mivo", "mivo"}, {"mivo/", "mivo"}, {"mivo//", "mivo"},
                 {"boards/mivo/", "boards/mivo"}, {"/", "/"}, {"", ""}};
    for (const Case &c : cases)
        EXPECT_EQ(version_name(c.arg), c.name) << '"' << c.arg << '"';
    EXPECT_EQ(square_text_path("v", 7), "./v/square07");
    EXPECT_EQ(square_sound_path("v", 42), "./v/square42.wav");
    EXPECT_EQ(square_text_path("v", 0), "./v/square00");
}

} // namespace
