#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

// A replay script read in full: what the keys do at which call, what the calendar reads, which
// frames to write out, and how many calls to run. Calls are numbered from 0, the first call of
// the frame function. The game's recordings are scripts too.

// The calendar clock at call 0 when a script does not set it.
constexpr std::int64_t kDefaultEpoch = 1000000000;

// From the start of `call` on, the key is down (or up).
struct KeyChange {
    int call;
    int virtualKey;
    bool down;
    int line;
};

// From the start of `call` on, the calendar clock reads `seconds` and no longer runs on by itself.
struct ClockChange {
    int call;
    std::int64_t seconds;
    int line;
};

// Once `call` has presented its frame, the frame is written to `file`.
struct ShotRequest {
    int call;
    std::string file;
    int line;
};

struct ReplayScript {
    std::int64_t epoch = kDefaultEpoch;
    // Both in file order, which is call order.
    std::vector<KeyChange> keyChanges;
    std::vector<ClockChange> clockChanges;
    std::vector<ShotRequest> shots;
    int calls = 0;
    // False for a recording cut short (read with `partial`): it had no `end`, and `calls` runs
    // up to its last command's call.
    bool ended = true;
    // A last line without its newline (but an `end`), left out of such a recording: the writer
    // was stopped in the middle of it.
    bool lastLineCut = false;
};

// The keys the game polls, by the names a script gives them, in the order they are listed.
struct ScriptKey {
    const char* name;
    int virtualKey;
};
constexpr int kScriptKeyCount = 13;
extern const ScriptKey kScriptKeys[kScriptKeyCount];

// What the reader takes in before it gives up on a script: nobody writes a command of 4 KiB, and
// 64 MiB is a hundred hours of recorded play; a stream of zeros or a binary file fed by mistake
// stops there instead of filling the memory.
constexpr std::size_t kMaxLineBytes = 4096;
constexpr std::size_t kMaxScriptBytes = std::size_t{64} << 20;

struct ScriptOptions {
    // Accept a script without `end` (a recording whose game was killed): it runs through the
    // call of its last command.
    bool partial = false;
};

struct ScriptError {
    int line = 0;
    std::string message;
    // The script stopped without its `end`, as a recording does when its game is killed.
    bool noEnd = false;
};

// Reads a whole script, line by line, so nothing runs before all of it is known to be sound.
// On a malformed script returns nothing and says in `error` where and what is wrong.
std::optional<ReplayScript> parseScript(std::istream& in, ScriptError& error,
                                        ScriptOptions options = {});
