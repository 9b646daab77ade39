#include "entities/destroyer_bullet.h"

#include "base/kinds.h"

namespace {

constexpr ShotKind kDestroyerBullet{kWeaponDestroyer, 0.4825f, 0.6f, 1};

} // namespace

DestroyerBullet::DestroyerBullet(TextureId texture, float angle, Direction direction, float depth,
                                 bool enemyOwned)
    : Projectile(texture, angle, direction, depth, enemyOwned, kDestroyerBullet) {}

void DestroyerBullet::update() {
    fly();
}

// The image's nose leads the way it flies.
void DestroyerBullet::draw() const {
    drawImage(0.035f, 0.3f, -0.3f, direction == Direction::Toward);
}
