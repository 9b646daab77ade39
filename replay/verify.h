#pragma once

// INTERIM: the board's stand-in for the verification the replay library gains on branch
// `scores`; removed when that branch is merged. Same interface.

#include <string>
#include <string_view>
#include <vector>

struct VerifiedGame {
    int index = 0;
    int firstCall = 0, lastCall = 0;
    int score = 0;
    int frame = 0;
    bool bossDestroyed = false, swarmDestroyed = false, endlessReached = false;
    bool daily = false;
    std::string day;
};
struct VerifyLimits {
    int maxCalls = 0;
};
struct Verification {
    std::vector<VerifiedGame> games;
};
bool verifyRecording(std::string_view script, const VerifyLimits& limits, Verification& out,
                     std::string& error);
std::string verifiedGameJson(const VerifiedGame& game);
