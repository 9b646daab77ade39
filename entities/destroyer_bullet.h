#pragma once

#include "entities/projectile.h"

// The meteor destroyer's shot: narrower and longer than a missile and weaker, but fired far more
// often. It flies 0.05 a frame until it leaves the field.
class DestroyerBullet : public Projectile {
  public:
    DestroyerBullet(float angle, Direction direction, float depth, bool enemyOwned);

    void update() override;
    std::unique_ptr<Projectile> clone() const override {
        return std::make_unique<DestroyerBullet>(*this);
    }
};
