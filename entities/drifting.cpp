#include "entities/drifting.h"

#include "base/play_field.h"
#include "base/random.h"
#include "base/trig.h"

#include <cstdlib>

int randomDirection() {
    return (nextRandom() & 2) != 0 ? 1 : -1;
}

float headingInRadians(float heading) {
    const int wholeDegrees = std::abs(static_cast<int>(heading));
    return static_cast<float>(wholeDegrees) * kDegreesToRadians;
}

const UnitCircle& unitCircle() {
    static const UnitCircle circle = [] {
        UnitCircle c{};
        for (int i = 0; i < kOutlineVertices; ++i) {
            const float a = static_cast<float>(i) * kDegreesToRadians;
            c.cos[i] = gameCos(a);
            c.sin[i] = gameSin(a);
        }
        return c;
    }();
    return circle;
}
