#pragma once

#include <cstdint>

// What one call of the step sees of the machine: the keys and the calendar second, held fixed
// for the whole call. The host reads them (live, from a recording or from a script) and hands
// them in; the rules read nothing else, so a recording of these is the whole of a game.
struct CallInputs {
    // By Windows virtual-key code (platform/virtual_keys.h).
    bool keys[256] = {};
    // The calendar second the call seeds its random numbers with.
    std::int64_t seconds = 0;

    bool keyDown(int virtualKey) const {
        return virtualKey >= 0 && virtualKey < 256 && keys[virtualKey];
    }
};
