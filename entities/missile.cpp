#include "entities/missile.h"

#include "base/kinds.h"

namespace {

constexpr ShotKind kMissile{kWeaponMissile, 0.6875f, 0.3f, 3};

} // namespace

Missile::Missile(float angle, Direction direction, float depth, bool enemyOwned)
    : Projectile(angle, direction, depth, enemyOwned, kMissile) {}

void Missile::update() {
    fly();
}
