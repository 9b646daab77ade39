#include "entities/powerup.h"

#include "base/kinds.h"
#include "base/play_field.h"
#include "entities/placement.h"

namespace {

constexpr int kLastAnimStep = 19;

// Of the three images of a weapon pickup, by animation step.
TextureId pickImage(int animStep, TextureId a, TextureId b, TextureId c) {
    if (animStep <= 7) {
        return a;
    }
    if (animStep <= 14) {
        return b;
    }
    return c;
}

} // namespace

Powerup::Powerup(int type, TextureId image2a, TextureId image2b, TextureId image2c,
                 TextureId image3a, TextureId image3b, TextureId image3c, TextureId wrench)
    : depth(kEntryDepth), angle(randomEntryAngle()), type(type) {
    if (type == kPowerupWrench) {
        texWrench = wrench;
    } else if (type == kPowerupDestroyer) {
        texPowerup2a = image2a;
        texPowerup2b = image2b;
        texPowerup2c = image2c;
    } else if (type == kPowerupLaser) {
        texPowerup3a = image3a;
        texPowerup3b = image3b;
        texPowerup3c = image3c;
    }
}

TextureId Powerup::currentImage() const {
    switch (type) {
    case kPowerupWrench:
        return texWrench;
    case kPowerupDestroyer:
        return pickImage(animStep, texPowerup2a, texPowerup2b, texPowerup2c);
    case kPowerupLaser:
        return pickImage(animStep, texPowerup3a, texPowerup3b, texPowerup3c);
    default:
        return 0;
    }
}

// 0, 1, ..., 19, 18, ..., 1, 0, 1, ...: the images a, b, c, b, a in turn, 38 drawings a round.
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

void Powerup::draw() {
    depth += 0.05f;

    drawFloorSprite(currentImage(), depth, angle, 0.15f, 0.2f);

    advanceAnimation();
}
