#include "entities/splitter_enemy.h"

#include "base/kinds.h"
#include "base/random.h"
#include "base/trig.h"
#include "entities/drifting.h"

namespace {

constexpr float kNearLimit = -5.0f;
constexpr float kFarLimit = -20.0f;
constexpr float kSideLimit = 35.5f;
// How far a splitter is pushed back inside the range when it turns at an edge.
constexpr float kPushBack = 0.1f;

} // namespace

SplitterEnemy::SplitterEnemy(int generation, float atDepth, float atAngle) {
    if (generation > 1) {
        depth = atDepth;
        angle = atAngle;
    }
    kindId = kKindSplitter;
    resizeForGeneration(generation);
    // The random draws come in a fixed order: the base's angle, the heading, the direction.
    heading = static_cast<float>(nextRandom() % 10 + 20);
    angleDir = randomDirection();
}

void SplitterEnemy::resizeForGeneration(int generation) {
    hitPoints = 16 / generation;
    halfWidth = 16.0f / static_cast<float>(generation);
    halfDepth = 2.5f / static_cast<float>(generation);
}

void SplitterEnemy::update() {
    if (depth > kFarLimit) {
        entering = false;
    } else {
        depth += kPushBack;
    }
    if (!entering) {
        if (depth > kNearLimit) {
            depthDir = -depthDir;
            depth -= kPushBack;
        } else if (depth < kFarLimit) {
            depthDir = -depthDir;
            depth += kPushBack;
        }
    }

    if (angle < -kSideLimit || angle > kSideLimit) {
        angleDir = -angleDir;
        // The raw random value, 0 to 32767: the heading drops by anything up to 32.7665 degrees,
        // so the swarm's paths grow wilder with every bounce.
        const int r = nextRandom();
        heading -= (static_cast<float>(r) - 0.5f) / 1000.0f;
    }
    if (angle < -kSideLimit) {
        angle += kPushBack;
    } else if (angle > kSideLimit) {
        angle -= kPushBack;
    }

    const float a = headingInRadians(heading);
    angle += gameCos(a) * 0.5f * static_cast<float>(angleDir);
    depth += gameSin(a) * 0.15f * static_cast<float>(depthDir);
}
