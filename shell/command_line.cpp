#include "shell/command_line.h"

#include <algorithm>
#include <cstring>

#ifndef GLIMMERWAKE_VERSION
#define GLIMMERWAKE_VERSION "unknown"
#endif

namespace {

constexpr const char* kProgram = "glimmerwake";

// One option of the game. An option that takes a value names it in `argument` (shown in the help)
// and finds it in `value`; the others get nullptr. Adding an option is adding one entry below.
struct OptionEntry {
    const char* name;
    const char* argument;
    const char* help;
    void (*apply)(CommandLine& line, const char* value);
};

const OptionEntry kOptions[] = {
    {"--window", nullptr, "play in a window instead of full screen",
     [](CommandLine& line, const char*) { line.window = true; }},
    {"--help", nullptr, "print this help and exit",
     [](CommandLine& line, const char*) { line.action = CommandLine::Action::Help; }},
    {"--version", nullptr, "print the version and exit",
     [](CommandLine& line, const char*) { line.action = CommandLine::Action::Version; }},
};

const OptionEntry* findOption(const char* word) {
    for (const OptionEntry& option : kOptions) {
        if (std::strcmp(option.name, word) == 0) {
            return &option;
        }
    }
    return nullptr;
}

CommandLine usageError(const std::string& what) {
    CommandLine line;
    line.action = CommandLine::Action::UsageError;
    line.error = std::string(kProgram) + ": " + what + " (try '" + kProgram + " --help')";
    return line;
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const OptionEntry* const option = findOption(argv[i]);
        if (option == nullptr) {
            return usageError(argv[i][0] == '-' ? std::string("unknown option '") + argv[i] + "'"
                                                : std::string("unexpected word '") + argv[i] + "'");
        }
        const char* value = nullptr;
        if (option->argument != nullptr) {
            if (i + 1 >= argc) {
                return usageError(std::string(option->name) + " needs " + option->argument);
            }
            value = argv[++i];
        }
        option->apply(line, value);
        if (line.action != CommandLine::Action::Play) {
            return line;
        }
    }
    return line;
}

std::string commandLineHelp() {
    std::string text = std::string("usage: ") + kProgram + " [OPTION]...\n" +
                       "A 3-D arcade shooter: steer around the tunnel's wall, shoot what comes "
                       "out of the depth.\n\n";
    for (const OptionEntry& option : kOptions) {
        std::string left = std::string("  ") + option.name;
        if (option.argument != nullptr) {
            left += std::string(" ") + option.argument;
        }
        left.resize(std::max<std::size_t>(left.size() + 2, 20), ' ');
        text += left + option.help + "\n";
    }
    text += "\nKeys: arrows steer and choose, Space fires, 1 2 3 switch weapons, Escape pauses.\n"
            "Exit status: 0 when the game ended normally, 1 when it could not start, 2 for a "
            "wrong command line.\n";
    return text;
}

std::string commandLineVersion() {
    return std::string(kProgram) + " " + GLIMMERWAKE_VERSION + "\n";
}
