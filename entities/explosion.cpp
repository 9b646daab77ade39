#include "entities/explosion.h"

#include "entities/placement.h"

namespace {

constexpr int kDrawings = 30;

} // namespace

Explosion::Explosion(float depth, float angle, TextureId texExplosion1, TextureId texExplosion2,
                     TextureId texExplosion3, TextureId texExplosion4, TextureId texExplosion5,
                     TextureId texExplosion6)
    : depth(depth), angle(angle), texExplosion1(texExplosion1), texExplosion2(texExplosion2),
      texExplosion3(texExplosion3), texExplosion4(texExplosion4), texExplosion5(texExplosion5),
      texExplosion6(texExplosion6) {}

// Six drawings of the first image, five of each of the next four and four of the last.
TextureId Explosion::currentImage() const {
    if (animStep <= 5) {
        return texExplosion1;
    }
    if (animStep <= 10) {
        return texExplosion2;
    }
    if (animStep <= 15) {
        return texExplosion3;
    }
    if (animStep <= 20) {
        return texExplosion4;
    }
    if (animStep <= 25) {
        return texExplosion5;
    }
    return texExplosion6;
}

void Explosion::draw() {
    drawFloorSprite(currentImage(), depth, angle, 0.2f, 0.3f);

    ++animStep;
    if (animStep >= kDrawings) {
        finished = true;
    }
}
