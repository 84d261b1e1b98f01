// The command-line rules every program shares: options stand in front of
// the other arguments, "--name VALUE" and "--name=VALUE" alike, "--" ends
// them, and --help and --version are every program's own.
#pragma once

#include <functional>
#include <string>
#include <vector>

// One option of a program's table.
struct OptionRow {
    std::string name;  // "--players"
    bool takes_value;  // a flag takes none: "--speak=x" is an unknown option
    // Reads the value ("" for a flag); returns what is wrong with it, or "".
    std::function<std::string(const std::string &value)> read;
};

// How reading the options ended.
enum class OptionsEnd {
    GO_ON,       // every option read: the program runs
    HELP,        // --help came first: the program prints its usage, status 0
    VERSION,     // --version came first: "<program> <version>", status 0
    USAGE_ERROR, // `fault` says what is wrong: the caller prints
                 // "<program>: <fault>" and the usage on standard error, status 2
};

struct OptionsRead {
    OptionsEnd end = OptionsEnd::GO_ON;
    int first = 1;     // index in argv of the first argument that is not an
                       // option, argc when there is none ("--" is skipped)
    std::string fault; // for USAGE_ERROR
};

// Reads argv[1...] by `table`, in order, until the first argument that does
// not start with "-" or just after "--". A value is the rest of
// "--name=VALUE" or the next argument, whatever it looks like. Stops at
// --help, --version, an unknown option ("unknown option \"-x\""), a missing
// value ("--name needs a value") or the first fault a `read` reports. Prints
// nothing and never ends the process.
OptionsRead read_options(int argc, char **argv, const std::vector<OptionRow> &table);

// The status a program ends with for `end`: 0 for HELP and VERSION, 2 for
// USAGE_ERROR, -1 for GO_ON (it does not end).
int options_status(OptionsEnd end);

// "<program> <release>", the line --version prints ("boardgame 1.2.3").
std::string version_line(const std::string &program);

// The one digit that `text` is, or -1 (option values such as a number of
// players are one digit).
int option_digit(const std::string &text);
