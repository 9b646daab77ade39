#pragma once

#include "game/call_inputs.h"
#include "replay/script.h"

#include <cstddef>
#include <cstdint>

// What a script shows the game of the machine in one call: the keys that are down, the
// millisecond tick and the calendar second. The replay tool, the recording tests and every host
// that plays a script read it from here.
struct ScriptedMachine {
    std::int64_t epoch = kDefaultEpoch;
    // Once a script's clock line has been reached, the calendar reads `clock` and stands still
    // until the next one; before that it runs on from the epoch by a second every 100 calls.
    bool clockSet = false;
    std::int64_t clock = 0;
    // The call of the frame function that is running, or about to.
    int call = 0;
    bool keys[256] = {};

    std::int64_t calendarSeconds() const;
    // Each call stands for one frame period of the real game's clock.
    std::uint32_t tickCount() const;
    // What the current call sees: the keys down and the calendar second.
    CallInputs inputs() const;
};

// Hands a script's key and clock changes to the machine, call after call, as the replay tool
// plays it. The script must outlive the feed.
class ScriptFeed {
  public:
    explicit ScriptFeed(const ReplayScript& script) : script_(script) {}
    // Makes `call` the machine's current call, with every key and clock change the script
    // makes at it. Calls come in order.
    void enterCall(ScriptedMachine& machine, int call);

  private:
    const ReplayScript& script_;
    std::size_t nextKey_ = 0;
    std::size_t nextClock_ = 0;
};
