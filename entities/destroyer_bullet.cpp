#include "entities/destroyer_bullet.h"

#include "base/kinds.h"

namespace {

constexpr ShotKind kDestroyerBullet{kWeaponDestroyer, 0.4825f, 0.6f, 1};

} // namespace

DestroyerBullet::DestroyerBullet(float angle, Direction direction, float depth, bool enemyOwned)
    : Projectile(angle, direction, depth, enemyOwned, kDestroyerBullet) {}

void DestroyerBullet::update() {
    fly();
}
