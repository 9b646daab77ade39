#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

// A replay script read in full: what the keys do at which call, which frames to write out, and
// how many calls to run. Calls are numbered from 0, the first call of the frame function.

// The calendar clock at call 0 when a script does not set it.
constexpr std::int64_t kDefaultEpoch = 1000000000;

// From the start of `call` on, the key is down (or up).
struct KeyChange {
    int call;
    int virtualKey;
    bool down;
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
    std::vector<ShotRequest> shots;
    int calls = 0;
};

struct ScriptError {
    int line = 0;
    std::string message;
};

// Reads a whole script, line by line, so nothing runs before all of it is known to be sound.
// On a malformed script returns nothing and says in `error` where and what is wrong.
std::optional<ReplayScript> parseScript(std::istream& in, ScriptError& error);
