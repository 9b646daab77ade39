#include "entities/boss_enemy.h"

#include "base/kinds.h"
#include "base/play_field.h"

namespace {

constexpr float kTrackStep = 0.3f;
constexpr float kDiveStep = 0.22f;
// The dive stops here at the latest, well past the ship's band.
constexpr float kDiveFloor = 5.0f;

// Phases of the attack cycle, in holding frames.
constexpr int kTrackUntil = 350;
constexpr int kDiveAfter = 365;
constexpr int kClimbAfter = 425;
constexpr int kCycleEnd = 500;
constexpr int kFramesBetweenShots = 75;

} // namespace

BossEnemy::BossEnemy() {
    kindId = kKindBoss;
    hitPoints = 50;
    halfWidth = 8.0f;
    halfDepth = 1.6f;
}

void BossEnemy::update() {
    // Approaching: neither counter runs, and the firing flag keeps its last holding value.
    if (depth < kHoldDepth) {
        depth += kApproachStep;
        return;
    }

    if (phaseCounter < kTrackUntil) {
        if (angle - targetAngle > 0.0f) {
            angle -= kTrackStep;
        } else {
            angle += kTrackStep;
        }
    }
    if (phaseCounter > kDiveAfter && phaseCounter < kClimbAfter && depth < kDiveFloor) {
        depth += kDiveStep;
    }
    if (phaseCounter > kClimbAfter && depth > kHoldDepth) {
        depth -= kDiveStep;
    }

    if (fireCounter > kFramesBetweenShots) {
        fireCounter = 0;
        fireNow = true;
        shotDepth = depth + 1.2f;
    } else {
        fireNow = false;
    }

    if (phaseCounter > kCycleEnd) {
        phaseCounter = 0;
    }
    ++phaseCounter;
    ++fireCounter;
}
