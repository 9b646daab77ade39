#pragma once

#include "base/sound_effects.h"
#include "tools/replay/script.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The machine the replay tool plays the game on: the keys are the script's, the clocks count
// calls, the waits return at once and nothing is shown. The tool moves it from call to call;
// the game reaches it through the platform seam as it would the desktop.
struct ReplayPlatform {
    std::int64_t epoch = 0;
    // Once a script's clock line has been reached, the calendar reads `clock` and stands still
    // until the next one; before that it runs on from the epoch by a second every 100 calls.
    bool clockSet = false;
    std::int64_t clock = 0;
    // The call of the frame function that is running, or about to.
    int call = 0;
    bool keys[256] = {};
    bool quitRequested = false;
    // What call `soundsCall` asked to be heard, in order. Only the latest call's are kept, so a
    // driver that never reads them holds no more than one call's worth.
    std::vector<SoundEffect> sounds;
    int soundsCall = -1;
};

ReplayPlatform& replayPlatform();

// The effects the given call asked for: empty unless it is the latest call that asked.
std::vector<SoundEffect> soundsOfCall(int call);

// Hands a script's key and clock changes to the platform, call after call, as the replay tool
// plays it. The script must outlive the feed.
class ScriptFeed {
  public:
    explicit ScriptFeed(const ReplayScript& script) : script_(script) {}
    // Makes `call` the platform's current call, with every key and clock change the script
    // makes at it. Calls come in order.
    void enterCall(ReplayPlatform& platform, int call);

  private:
    const ReplayScript& script_;
    std::size_t nextKey_ = 0;
    std::size_t nextClock_ = 0;
};
