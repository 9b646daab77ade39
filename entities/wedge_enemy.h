#pragma once

#include "entities/enemy.h"

// The red dart of the early waves, kinds 1 to 3 by its sub-kind: 0 flies straight in, 1 sweeps
// across the field away from the side it came in on, 2 closes in on the centre line. It dies by
// itself once it has flown past the camera.
class WedgeEnemy : public Enemy {
  public:
    explicit WedgeEnemy(int subKind);

    void update() override;
    std::unique_ptr<Enemy> clone() const override { return std::make_unique<WedgeEnemy>(*this); }

  private:
    int subKind;
};
