#include "entities/missile.h"

#include "base/kinds.h"

namespace {

constexpr ShotKind kMissile{kWeaponMissile, 0.6875f, 0.3f, 3};

} // namespace

Missile::Missile(TextureId texture, float angle, Direction direction, float depth, bool enemyOwned)
    : Projectile(texture, angle, direction, depth, enemyOwned, kMissile) {}

void Missile::update() {
    fly();
}

// The image's nose leads the way it flies.
void Missile::draw() const {
    drawImage(0.05f, 0.15f, -0.15f, direction == Direction::Toward);
}
