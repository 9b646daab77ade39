#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Proves what a recording claims: plays it with the rules alone and says what every game in it
// scored. The high-score table keeps an entry only when its recording replays to its score, and
// `glimmerwake-replay --verify` prints what this finds.

// One game of a run: a playing stretch from the call it started in (Play chosen in the menu, or
// F2's restart) to the call it ended in (game over, F2, F3, F4, or the end of the recording).
struct VerifiedGame {
    int index = 0;     // 1 for the recording's first game
    int firstCall = 0; // the call the game started in (Play chosen, or F2's restart)
    int lastCall = 0;  // the call it ended in
    int score = 0;     // the ship's score when it ended
    int frame = 0;     // the frame counter it reached
    bool bossDestroyed = false, swarmDestroyed = false, endlessReached = false;
    bool daily = false; // played as a daily run
    std::string day;    // "YYYY-MM-DD" of a daily run, empty otherwise
};

struct VerifyLimits {
    int maxCalls = 0; /* 0: none */
};

struct Verification {
    std::vector<VerifiedGame> games;
};

// Replays a recording (the replay script text) with the rules alone: no window, no GL, no
// platform; safe on any thread (each call plays a Game of its own, and the rules' random state
// is the thread's). False with `error` for a recording that cannot be read or
// passes the limits.
//
// A recording cut short (no `end`: its game was killed) is played through its last line. A daily
// run is a recording whose calendar is the replay's own from 00:00 UTC of its day: `epoch` a
// multiple of 86400 and no `clock` line. Its first game is that day's daily run; any later game in
// it started otherwise than every daily attempt does, and is not one.
bool verifyRecording(std::string_view script, const VerifyLimits& limits, Verification& out,
                     std::string& error);

// One game as one JSON object on one line (no newline), as --verify prints it.
std::string verifiedGameJson(const VerifiedGame& game);

// The day whose daily run a script with this calendar is, or "" when it is no daily run.
std::string dailyDayOf(std::int64_t epoch, bool hasClockLines);
