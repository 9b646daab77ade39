#pragma once

#include "entities/projectile.h"

// The missile launcher's shot, and the shot every enemy fires: 0.1 wide and 0.3 long, flying
// 0.05 a frame until it leaves the field.
class Missile : public Projectile {
  public:
    Missile(float angle, Direction direction, float depth, bool enemyOwned);

    void update() override;
    std::unique_ptr<Projectile> clone() const override { return std::make_unique<Missile>(*this); }
};
