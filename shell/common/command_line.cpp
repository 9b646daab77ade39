#include "shell/common/command_line.h"

#include <algorithm>
#include <cstring>

#ifndef GLIMMERWAKE_VERSION
#define GLIMMERWAKE_VERSION "unknown"
#endif

namespace {

constexpr const char* kProgram = "glimmerwake";

// One option of the game. An option that takes a file names it in `argument` (shown in the help)
// and stores it through `file`; the others are applied by `apply`. Adding an option is adding one
// entry below.
struct OptionEntry {
    const char* name;
    const char* argument;
    const char* help;
    void (*apply)(CommandLine& line);
    std::string CommandLine::*file;
};

const OptionEntry kOptions[] = {
    {"--window", nullptr, "play in a window instead of full screen",
     [](CommandLine& line) { line.window = true; }, nullptr},
    {"--mute", nullptr, "start with the sound off (M turns it on and off)",
     [](CommandLine& line) { line.mute = true; }, nullptr},
    {"--no-music", nullptr, "start with the music off, the effects on (N turns it on and off)",
     [](CommandLine& line) { line.noMusic = true; }, nullptr},
    {"--daily", nullptr, "play today's daily run: the same game for everyone today",
     [](CommandLine& line) { line.daily = true; }, nullptr},
    {"--record", "FILE", "record the game into FILE, as a replay script", nullptr,
     &CommandLine::recordFile},
    {"--watch", "FILE",
     "play the replay script or recording FILE in the window\n"
     "                      (Q ends the watching, F held runs it fast)",
     nullptr, &CommandLine::watchFile},
    {"--shots", "DIR",
     "with --watch, write the recording's shots into DIR (plain\n"
     "                      names only, never over a file that is there)",
     nullptr, &CommandLine::shotsDir},
    {"--board", "URL",
     "send the games that verify to the score board at URL (http:// or\n"
     "                      https://), for this run",
     nullptr, &CommandLine::boardUrl},
    {"--final-state", "FILE", "when the game ends, write its last trace line into FILE", nullptr,
     &CommandLine::finalStateFile},
    {"--scores", nullptr, "print the high scores and where their recordings are, and exit",
     [](CommandLine& line) { line.action = CommandLine::Action::Scores; }, nullptr},
    {"--help", nullptr, "print this help and exit",
     [](CommandLine& line) { line.action = CommandLine::Action::Help; }, nullptr},
    {"--version", nullptr, "print the version and exit",
     [](CommandLine& line) { line.action = CommandLine::Action::Version; }, nullptr},
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
        if (option->file != nullptr) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                return usageError(std::string(option->name) + " needs " + option->argument);
            }
            if (!(line.*option->file).empty()) {
                return usageError(std::string(option->name) + " given twice");
            }
            // The next word is the file, whatever it looks like.
            line.*option->file = argv[++i];
            continue;
        }
        option->apply(line);
        if (line.action != CommandLine::Action::Play) {
            return line;
        }
    }
    if (!line.recordFile.empty() && !line.watchFile.empty()) {
        return usageError("--record and --watch cannot go together");
    }
    // A daily attempt is recorded on its own already, from its own first call.
    if (line.daily && !(line.watchFile.empty() && line.recordFile.empty())) {
        return usageError("--daily goes with neither --record nor --watch");
    }
    if (!line.shotsDir.empty() && line.watchFile.empty()) {
        return usageError("--shots goes with --watch");
    }
    if (!line.boardUrl.empty() && !isBoardUrl(line.boardUrl)) {
        return usageError("--board takes a board's http:// or https:// address");
    }
    return line;
}

bool isBoardUrl(const std::string& url) {
    const auto hostAfter = [&url](const std::string& scheme) {
        return url.compare(0, scheme.size(), scheme) == 0 && url.size() > scheme.size() &&
               url[scheme.size()] != '/';
    };
    const bool printable = std::all_of(url.begin(), url.end(), [](char c) {
        return static_cast<unsigned char>(c) > 0x20 && c != 0x7f;
    });
    return url.size() <= kMaxBoardUrlBytes && printable &&
           (hostAfter("http://") || hostAfter("https://"));
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
        left.resize(std::max<std::size_t>(left.size() + 2, 22), ' ');
        text += left + option.help + "\n";
    }
    text += "\nKeys: arrows steer and choose, Space fires, 1 2 3 switch weapons, Escape pauses,\n"
            "M mutes all sound, N the music; D in the menu starts the daily run.\n"
            "Every game is recorded; the best are kept with their recordings in\n"
            "$XDG_DATA_HOME/glimmerwake/ (~/.local/share/glimmerwake/), with the settings.\n"
            "Exit status: 0 when the game ended normally, 1 when it could not start, 2 for a "
            "wrong command line.\n";
    return text;
}

std::string commandLineVersion() {
    return std::string(kProgram) + " " + GLIMMERWAKE_VERSION + "\n";
}
