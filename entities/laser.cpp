#include "entities/laser.h"

#include "base/kinds.h"

namespace {

// Half a depth of 30 around the firing depth covers the whole field, even behind the ship.
constexpr ShotKind kLaser{kWeaponLaser, 0.965f, 30.0f, 1};

// Drawn at ages 0 through 30, removed by the update that finds it at 30.
constexpr int kLifetime = 30;
// It damages at ages 0, 7, 14, 21 and 28.
constexpr int kHitPeriod = 7;

} // namespace

Laser::Laser(float angle, Direction direction, float depth, bool enemyOwned)
    : Projectile(angle, direction, depth, enemyOwned, kLaser) {}

void Laser::update() {
    if (age >= kLifetime) {
        dead = true;
    } else {
        ++age;
    }
    hitEnabled = age % kHitPeriod == 0;
}
