#include "entities/projectile.h"

#include "base/play_field.h"
#include "entities/placement.h"
#include "render/gl.h"

namespace {

constexpr float kShotStep = 0.05f;

} // namespace

Projectile::Projectile(TextureId texture, float angle, Direction direction, float depth,
                       bool enemyOwned, const ShotKind& kind)
    : depth(depth), angle(angle), halfWidth(kind.halfWidth), halfDepth(kind.halfDepth),
      direction(direction), texture(texture), damage(kind.damage), weaponType(kind.weaponType),
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

void Projectile::drawImage(float halfSpan, float nearEdge, float farEdge,
                           bool nearEdgeLeads) const {
    const float nearT = nearEdgeLeads ? 0.0f : 1.0f;
    const float farT = 1.0f - nearT;

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(1.0f, 1.0f, 1.0f);
    applyPlacement(depth, angle);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, nearT);
    glVertex3f(halfSpan, -1.0f, nearEdge);
    glTexCoord2f(1.0f, nearT);
    glVertex3f(-halfSpan, -1.0f, nearEdge);
    glTexCoord2f(1.0f, farT);
    glVertex3f(-halfSpan, -1.0f, farEdge);
    glTexCoord2f(0.0f, farT);
    glVertex3f(halfSpan, -1.0f, farEdge);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}
