#pragma once

#include <string>

// What the player asked for on the command line. A plain start (no options) plays as ever.
struct CommandLine {
    // Record the game into this file, as a replay script.
    std::string recordFile;
    // Play this replay script or recording in the window instead of the keyboard.
    std::string watchFile;
    // When the game ends, write the trace line of its last call here (as glimmerwake-replay
    // prints it), so that a game can be compared with its replay.
    std::string finalStateFile;
    // Why the command line cannot be followed; empty when it can.
    std::string usageError;
};

CommandLine parseCommandLine(int argc, char** argv);

// The options, one a line, for a usage message.
extern const char kCommandLineUsage[];
