#pragma once

#include "entities/enemy.h"

// Kind 6: a green ring that comes in from the far end and then bounces for ever inside depths
// -15 to -3 and angles -25.5 to 25.5, on a heading of its own. It never shoots.
class RingEnemy : public Enemy {
  public:
    RingEnemy();

    void update() override;
    std::unique_ptr<Enemy> clone() const override { return std::make_unique<RingEnemy>(*this); }

  private:
    // Degrees; its cosine shares the speed out around the field, its sine in depth.
    float heading;
    int depthDir = 1;
    int angleDir;
    // True until the ring has first come inside its depth range.
    bool entering = true;
};
