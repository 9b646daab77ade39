#pragma once

#include "base/sound_effects.h"

#include <cstdint>
#include <string>
#include <vector>

// The platform the unit tests run the game over: keys a test sets by hand, a tick clock that
// stands still unless a wait moves it, and a record of swaps and quit requests. Fonts are the
// real Unix ones, so a test can read drawn text back from a frame.
namespace test_platform {

struct State {
    bool keys[256] = {};
    std::uint32_t tick = 0;
    std::int64_t calendar = 1000000000;
    int swaps = 0;
    int quitRequests = 0;
    int lastQuitCode = -1;
    // Each wait moves the clock forward to its deadline, as a real wait would have.
    int waits = 0;
    // Every effect the game asked for since the last reset, in order.
    std::vector<SoundEffect> sounds;
};

State& state();

// Every key up, the clocks at their start, the counts cleared.
void reset();

void press(int virtualKey);
void release(int virtualKey);

} // namespace test_platform
