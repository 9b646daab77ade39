#pragma once

#include <cstdint>

// What the frame function reads of the machine in one call, held fixed for the whole call while a
// game is recorded or watched: the keys it polls and the calendar second it seeds its random
// numbers with. A recording then holds exactly what the game saw, and a watched script gives the
// game exactly what the script says. In a plain game `fixed` stays false and the keys and the
// calendar are read live, as ever.
struct CallInputs {
    bool fixed = false;
    bool keys[256] = {};
    std::int64_t seconds = 0;
    // Frames do not wait out their period (a watched game fast-forwarded).
    bool skipWaits = false;

    bool keyDown(int virtualKey) const {
        return virtualKey >= 0 && virtualKey < 256 && keys[virtualKey];
    }
};

CallInputs& callInputs();
