#pragma once

#include "entities/projectile.h"

// The meteor destroyer's shot: narrower and longer than a missile and weaker, but fired far more
// often. It flies 0.05 a frame until it leaves the field.
class DestroyerBullet : public Projectile {
  public:
    DestroyerBullet(TextureId texture, float angle, Direction direction, float depth,
                    bool enemyOwned);

    void update() override;
    void draw() const override;
};
