#include "shell/command_line.h"

#include <string_view>

namespace {

// The options that name a file, and where the file name goes.
struct FileOption {
    std::string_view name;
    std::string CommandLine::*file;
};

constexpr FileOption kFileOptions[] = {
    {"--record", &CommandLine::recordFile},
    {"--watch", &CommandLine::watchFile},
    {"--final-state", &CommandLine::finalStateFile},
};

const FileOption* findOption(std::string_view name) {
    for (const FileOption& option : kFileOptions) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

} // namespace

const char kCommandLineUsage[] =
    "usage: glimmerwake [--record FILE | --watch FILE] [--final-state FILE]\n"
    "  --record FILE       record the game into FILE, a replay script\n"
    "  --watch FILE        play the replay script or recording FILE in the window\n"
    "                      (Q ends the watching, F held runs it fast)\n"
    "  --final-state FILE  when the game ends, write its last trace line into FILE\n";

CommandLine parseCommandLine(int argc, char** argv) {
    CommandLine commandLine;
    for (int i = 1; i < argc && commandLine.usageError.empty(); ++i) {
        const std::string_view argument = argv[i];
        const FileOption* const option = findOption(argument);
        if (option == nullptr) {
            commandLine.usageError = "unknown option '" + std::string(argument) + "'";
        } else if (i + 1 == argc || argv[i + 1][0] == '\0') {
            commandLine.usageError = std::string(argument) + " needs a FILE";
        } else if (!(commandLine.*option->file).empty()) {
            commandLine.usageError = std::string(argument) + " given twice";
        } else {
            commandLine.*option->file = argv[++i];
        }
    }
    if (commandLine.usageError.empty() && !commandLine.recordFile.empty() &&
        !commandLine.watchFile.empty()) {
        // A watched game is the script's already.
        commandLine.usageError = "--record and --watch cannot go together";
    }
    return commandLine;
}
