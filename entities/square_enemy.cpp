#include "entities/square_enemy.h"

#include "base/kinds.h"
#include "base/play_field.h"

namespace {

constexpr int kStrafeDecreasing = 1;
constexpr int kStrafeIncreasing = 2;
constexpr float kStrafeStep = 0.3f;
constexpr float kStrafeLimit = 31.0f;
constexpr int kFramesBetweenShots = 55;

} // namespace

SquareEnemy::SquareEnemy() {
    kindId = kKindSquare;
    hitPoints = 3;
    halfWidth = 3.7f;
    halfDepth = 0.7f;
}

void SquareEnemy::update() {
    if (depth < kHoldDepth) {
        depth += kApproachStep;
        return;
    }

    if (fireCounter >= kFramesBetweenShots) {
        fireNow = true;
        shotDepth = depth + 1.2f;
        fireCounter = 0;
    } else {
        fireNow = false;
    }
    ++fireCounter;

    if (strafeDir == kStrafeDecreasing) {
        angle -= kStrafeStep;
    } else {
        angle += kStrafeStep;
    }
    if (angle <= -kStrafeLimit) {
        strafeDir = kStrafeIncreasing;
    }
    if (angle >= kStrafeLimit) {
        strafeDir = kStrafeDecreasing;
    }
}
