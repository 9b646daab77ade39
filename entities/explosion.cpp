#include "entities/explosion.h"

namespace {

constexpr int kSteps = 30;

} // namespace

void Explosion::advanceAnimation() {
    ++animStep;
    if (animStep >= kSteps) {
        finished = true;
    }
}
