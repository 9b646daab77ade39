#pragma once

#include "tools/pilot/pilot.h"

#include <cstdint>
#include <ostream>

// The calls at which a game flown from the menu reached each step of the level; -1 for a step
// not reached.
struct LevelReach {
    int secondWeapon = -1;
    int firstPromptObeyed = -1;
    int secondPromptObeyed = -1;
    int bossDefeated = -1;
    int wrenchCaught = -1;
    int thirdWeapon = -1;
    int bannerSeen = -1;
    int swarmSplit = -1;
    int swarmDestroyed = -1;
    // The frame counter when the endless spawning began, and the call 500 frames later.
    int endlessFrame = -1;
    int endlessSurvived = -1;
    int livesLeft = 0;
    int calls = 0;
};

// Frames of endless spawning the pilot must live through.
constexpr int kEndlessFrames = 500;

// Plays a new game with the calendar starting at `epoch`: Return in the menu, then the pilot until
// it has lived `kEndlessFrames` frames of endless spawning (and a few more), the game is lost or
// `maxCalls` have run. Writes the replay script of it to `script`.
LevelReach flyWholeLevel(std::ostream& script, std::int64_t epoch, const PilotSettings& settings,
                         int maxCalls);
