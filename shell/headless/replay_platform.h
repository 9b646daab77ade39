#pragma once

#include "base/sound_effects.h"
#include "replay/script_feed.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The machine the replay tool plays the game on: the keys are the script's, the clocks count
// calls, the waits return at once and nothing is shown. The tool moves it from call to call;
// the game reaches it through the platform seam as it would the desktop.
struct ReplayPlatform : ScriptedMachine {
    bool quitRequested = false;
    // What call `soundsCall` asked to be heard, in order. Only the latest call's are kept, so a
    // driver that never reads them holds no more than one call's worth.
    std::vector<SoundEffect> sounds;
    int soundsCall = -1;
};

ReplayPlatform& replayPlatform();

// The effects the given call asked for: empty unless it is the latest call that asked.
std::vector<SoundEffect> soundsOfCall(int call);
