// Helpers shared by the test programs: SDL on its dummy drivers, pixels,
// scratch folders and captured output.
#pragma once

#include "pixels.h"

#include <SDL.h>

#include <cstdint>
#include <string>

// Brings up SDL's dummy video driver (and the timer) once, opens the 640 x 480
// window surface through change_screen and sets up the bitmap font.
void start_dummy_video();

// Makes a fresh empty folder under the system's temporary folder and changes
// the working directory to it; returns its path.
std::string enter_scratch_folder(const std::string &label);

// Writes text to path, creating the file's folder when needed.
void write_file(const std::string &path, const std::string &text);

// The bytes of a file; empty when it cannot be read.
std::string read_file(const std::string &path);

// Captures everything printed on standard output between the two calls.
void begin_stdout_capture();
std::string end_stdout_capture();

// The folder that holds the project's run-time files (data/).
std::string data_folder();

// The process's resident memory in kB.
long resident_kb();

// Built with AddressSanitizer: its quarantine of freed memory makes the
// resident memory grow, so memory checks by RSS hold only without it (it
// names any leak at the end instead).
#if defined(__SANITIZE_ADDRESS__)
constexpr bool SANITIZED = true;
#else
constexpr bool SANITIZED = false;
#endif
