#include "entities/ring_enemy.h"

#include "base/kinds.h"
#include "base/random.h"
#include "base/trig.h"
#include "entities/drifting.h"

namespace {

constexpr float kNearLimit = -3.0f;
constexpr float kFarLimit = -15.0f;
constexpr float kSideLimit = 25.5f;

} // namespace

RingEnemy::RingEnemy() {
    kindId = kKindRing;
    hitPoints = 1;
    halfWidth = 2.9f;
    halfDepth = 1.2f;
    // The random draws come in a fixed order: the base's angle, the heading, the direction.
    heading = static_cast<float>(nextRandom() % 20 + 20);
    angleDir = randomDirection();
}

void RingEnemy::update() {
    if (depth > kFarLimit) {
        entering = false;
    }
    if (!entering && (depth > kNearLimit || depth < kFarLimit)) {
        depthDir = -depthDir;
    }
    if (angle < -kSideLimit || angle > kSideLimit) {
        angleDir = -angleDir;
    }
    const float a = headingInRadians(heading);
    angle += gameCos(a) * 0.3f * static_cast<float>(angleDir);
    depth += gameSin(a) * 0.5f * static_cast<float>(depthDir);
}
