// glimmerwake-pilot: plays the whole level from the menu to the endless spawning and writes the
// keys it pressed as a replay script.
//   glimmerwake-pilot EPOCH [--max-calls N] [--replan N] [--horizon N] [--spacing DEGREES]
// The script goes to standard output; one line on standard error says at which call the game
// reached each step of the level (-1: never). The options set how hard the pilot thinks (the
// defaults are those the committed whole-level scripts were flown with).
// Exit status 0 when the pilot lived through 500 frames of endless spawning, 1 when it did not,
// 2 for wrong arguments.
#include "tools/pilot/whole_level.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>

namespace {

constexpr long long kDefaultMaxCalls = 40000;

const char kUsage[] = "usage: glimmerwake-pilot EPOCH [--max-calls N] [--replan N] "
                      "[--horizon N] [--spacing DEGREES]\n";

std::optional<long long> parseNumber(const char* text, long long low, long long high) {
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<long long> epoch =
        argc >= 2 ? parseNumber(argv[1], 0, 1LL << 40) : std::nullopt;
    long long maxCalls = kDefaultMaxCalls;
    PilotSettings settings;
    bool sound = epoch.has_value() && argc % 2 == 0;
    for (int i = 2; sound && i + 1 < argc; i += 2) {
        const std::optional<long long> value = parseNumber(argv[i + 1], 1, 10000000);
        if (!value) {
            sound = false;
        } else if (std::strcmp(argv[i], "--max-calls") == 0) {
            maxCalls = *value;
        } else if (std::strcmp(argv[i], "--replan") == 0) {
            settings.replanEvery = static_cast<int>(*value);
        } else if (std::strcmp(argv[i], "--horizon") == 0) {
            settings.horizon = static_cast<int>(*value);
        } else if (std::strcmp(argv[i], "--spacing") == 0) {
            settings.courseSpacing = static_cast<float>(*value);
        } else {
            sound = false;
        }
    }
    if (!sound) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::cout << "# The whole level, flown by glimmerwake-pilot " << *epoch
              << " (scripts/renew-whole-level.sh writes it again).\n";
    const LevelReach r = flyWholeLevel(std::cout, *epoch, settings, static_cast<int>(maxCalls));
    std::fprintf(stderr,
                 "epoch %lld: weapon 2 %d, prompt 1 %d, prompt 2 %d, boss %d, wrench %d, "
                 "weapon 3 %d, banner %d, sixteen %d, swarm %d, endless from frame %d, "
                 "500 frames %d, lives %d, calls %d\n",
                 *epoch, r.secondWeapon, r.firstPromptObeyed, r.secondPromptObeyed, r.bossDefeated,
                 r.wrenchCaught, r.thirdWeapon, r.bannerSeen, r.swarmSplit, r.swarmDestroyed,
                 r.endlessFrame, r.endlessSurvived, r.livesLeft, r.calls);
    std::cout.flush();
    return r.endlessSurvived >= 0 ? 0 : 1;
}
