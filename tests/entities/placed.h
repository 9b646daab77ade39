#pragma once

#include "base/random.h"

#include <cstdint>

// An enemy of any kind that a test can put where it needs it.
template <typename Kind> class Placed : public Kind {
  public:
    using Kind::Kind;

    void place(float depth, float angle) {
        this->depth = depth;
        this->angle = angle;
    }
};

// The first seed from which the next object drawn comes in at `angle`.
inline std::uint32_t seedGivingAngle(int angle) {
    for (std::uint32_t seed = 0;; ++seed) {
        seedRandom(seed);
        if (nextRandom() % 62 - 31 == angle) {
            seedRandom(seed);
            return seed;
        }
    }
}
