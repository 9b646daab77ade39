#include "base/random.h"

namespace {

// One source per thread: games played on several threads at once (a recording verified beside the
// live game) never draw from each other's sequence. Every call of the step reseeds it, so a game
// and its copies draw the same numbers whichever thread runs them.
thread_local std::uint32_t state = 1;

} // namespace

void seedRandom(std::uint32_t seed) {
    state = seed;
}

int nextRandom() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}
