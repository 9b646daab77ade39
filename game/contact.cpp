#include "game/contact.h"

#include "base/play_field.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

int truncateToInt(double value) {
    // Beyond the range, a plain conversion is undefined; near it, |INT_MIN| would stay negative
    // and make two objects far apart touch.
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (!(std::fabs(value) < kMax)) {
        return std::isnan(value) ? 0
                                 : (value < 0 ? -static_cast<int>(kMax) : static_cast<int>(kMax));
    }
    return static_cast<int>(value);
}

bool inShipBand(float depth) {
    return depth >= kShipBandFar && depth <= kShipBandNear;
}

bool touchesShip(float shipAngle, float shipHalfWidth, float enemyAngle, float enemyHalfWidth,
                 float enemyDepth) {
    const int apart = std::abs(truncateToInt((double{shipAngle} - enemyAngle) * 100.0));
    const int reach = std::abs(truncateToInt(double{enemyHalfWidth} + shipHalfWidth)) * 100;
    return apart < reach && inShipBand(enemyDepth);
}

bool overlaps(float first, float firstHalf, float second, float secondHalf) {
    const float apart =
        static_cast<float>(std::abs(truncateToInt((double{first} - second) * 100.0)));
    return (double{firstHalf} + secondHalf) * 100.0 > apart;
}
