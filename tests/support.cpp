// Shared test helpers.
#include "support.h"

#include "font.h"
#include "screen.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

void start_dummy_video()
{
    if (screen != nullptr)
        return;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER), 0) << SDL_GetError();
    screen_flags = SDL_SRCCOLORKEY;
    change_screen(640, 480);
    Font_setup();
}

std::string enter_scratch_folder(const std::string &label)
{
    fs::path dir = fs::temp_directory_path() / ("varnowick-" + label + "-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::current_path(dir);
    return dir.string();
}

void write_file(const std::string &path, const std::string &text)
{
    fs::path p(path);
    if (p.has_parent_path())
        fs::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void begin_stdout_capture()
{
    std::fflush(stdout);
    testing::internal::CaptureStdout();
}

std::string end_stdout_capture()
{
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

std::string data_folder()
{
    return VARNOWICK_DATA_DIR;
}

long resident_kb()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
