// The command-line rules every program shares.
#include "cmdline.h"

static const OptionRow *find_option(const std::string &arg, const std::vector<OptionRow> &table)
{
    for (const OptionRow &option : table)
        if (arg == option.name ||
            (option.takes_value && arg.compare(0, option.name.size() + 1, option.name + "=") == 0))
            return &option;
    return nullptr;
}

OptionsRead read_options(int argc, char **argv, const std::vector<OptionRow> &table)
{
    OptionsRead read;
    int &i = read.first;
    for (i = 1; i < argc && argv[i][0] == '-'; i++) {
        std::string arg = argv[i];
        if (arg == "--") {
            i++;
            break;
        }
        if (arg == "--help" || arg == "--version") {
            read.end = arg == "--help" ? OptionsEnd::HELP : OptionsEnd::VERSION;
            return read;
        }
        const OptionRow *option = find_option(arg, table);
        if (option == nullptr)
            read.fault = "unknown option \"" + arg + "\"";
        else if (option->takes_value && arg.size() == option->name.size() && i + 1 >= argc)
            read.fault = option->name + " needs a value";
        else if (!option->takes_value)
            read.fault = option->read("");
        else
            read.fault = option->read(arg.size() > option->name.size() ? arg.substr(option->name.size() + 1)
                                                                   : std::string(argv[++i]));
        if (!read.fault.empty()) {
            read.end = OptionsEnd::USAGE_ERROR;
            return read;
        }
    }
    return read;
}

int options_status(OptionsEnd end)
{
    switch (end) {
    case OptionsEnd::GO_ON:
        return -1;
    case OptionsEnd::HELP:
    case OptionsEnd::VERSION:
        return 0;
    case OptionsEnd::USAGE_ERROR:
        break;
    }
    return 2;
}

std::string version_line(const std::string &program)
{
    return program + " " VARNOWICK_VERSION;
}

int option_digit(const std::string &text)
{
    return text.size() == 1 && text[0] >= '0' && text[0] <= '9' ? text[0] - '0' : -1;
}
