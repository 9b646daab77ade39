#pragma once

#include "entities/projectile.h"

// The laser gun's beam: it stays at the depth it was fired from, follows the ship sideways (the
// game sets its angle every frame), reaches across the whole field, and burns every enemy in its
// band once every seven frames until its 31 frames are over. Hits never remove it.
class Laser : public Projectile {
  public:
    Laser(float angle, Direction direction, float depth, bool enemyOwned);

    void update() override;
    std::unique_ptr<Projectile> clone() const override { return std::make_unique<Laser>(*this); }

  private:
    // Updates it has aged, 0 to 30.
    int age = 0;
};
