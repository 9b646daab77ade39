#include "entities/powerup.h"

#include "base/play_field.h"

namespace {

constexpr int kLastAnimStep = 19;
constexpr float kDriftStep = 0.05f;

} // namespace

Powerup::Powerup(int type) : depth(kEntryDepth), angle(randomEntryAngle()), type(type) {}

// 0, 1, ..., 19, 18, ..., 1, 0, 1, ...: the images a, b, c, b, a in turn, 38 frames a round.
// The wrench runs it too, without a visible effect.
void Powerup::advanceAnimation() {
    if (animStep == 0) {
        animRising = true;
    }
    if (animStep == kLastAnimStep) {
        animRising = false;
    }
    animStep += animRising ? 1 : -1;
}

void Powerup::drift() {
    depth += kDriftStep;
    shownStep = animStep;
    advanceAnimation();
}
