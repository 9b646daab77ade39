#include "entities/projectile.h"

#include "base/play_field.h"

namespace {

constexpr float kShotStep = 0.05f;

} // namespace

Projectile::Projectile(float angle, Direction direction, float depth, bool enemyOwned,
                       const ShotKind& kind)
    : depth(depth), angle(angle), halfWidth(kind.halfWidth), halfDepth(kind.halfDepth),
      direction(direction), damage(kind.damage), weaponType(kind.weaponType),
      enemyOwned(enemyOwned) {}

// Single-precision steps: a shot from -8.0 still lies a hair short of -20 after 240 of them.
void Projectile::fly() {
    if (direction == Direction::Away) {
        depth -= kShotStep;
    } else {
        depth += kShotStep;
    }
    if (depth <= kFieldFar || depth >= kFieldNear) {
        dead = true;
    }
}
