#pragma once

#include <cstddef>
#include <string>

// What the game was asked to do on its command line. A plain start (no words) plays full screen,
// exactly as a start from the desktop menu does.
struct CommandLine {
    enum class Action {
        Play,       // open the window and play
        Help,       // print the usage on standard output, exit 0
        Version,    // print the version on standard output, exit 0
        Scores,     // print the high-score tables on standard output, exit 0
        UsageError, // print `error` (one line) on standard error, exit 2
    };
    Action action = Action::Play;
    // --window: play in a window, without trying full screen (and so without the box that says
    // full screen failed).
    bool window = false;
    // --mute: start with the sound off (M turns it on and off while playing).
    bool mute = false;
    // --no-music: start with the music off and the effects on (N turns the music on and off).
    bool noMusic = false;
    // --daily: play today's daily run at once (D in the menu starts it too).
    bool daily = false;
    // --record FILE: record the game into this file, as a replay script.
    std::string recordFile;
    // --watch FILE: play this replay script or recording in the window instead of the keyboard.
    std::string watchFile;
    // --shots DIR: with --watch, the folder the watched script's `shot` lines write into. Without
    // it a watched script takes no shots: a recording may come from anybody, and its shot lines
    // must not reach the player's files.
    std::string shotsDir;
    // --board URL: send the games that verify to the score board at URL for this run (http or
    // https only; the settings' board= is left as it is).
    std::string boardUrl;
    // --final-state FILE: when the game ends, write the trace line of its last call here (as
    // glimmerwake-replay prints it), so that a game can be compared with its replay.
    std::string finalStateFile;
    // For a usage error: what was wrong, one line without its newline.
    std::string error;
};

// Reads the words after the program's name. The first word that is not an option of the game
// makes a usage error, and so do an option given twice, an empty file name, and --record with
// --watch (a watched game is its script's already); --help and --version win over everything
// after them.
CommandLine parseCommandLine(int argc, const char* const* argv);

// Whether `url` is a score board's address the game sends to: http:// or https://, a host, no
// blank or control character, at most kMaxBoardUrlBytes.
constexpr std::size_t kMaxBoardUrlBytes = 2048;
bool isBoardUrl(const std::string& url);

// The text --help prints: a usage line and one line per option.
std::string commandLineHelp();

// The text --version prints, with its newline.
std::string commandLineVersion();
