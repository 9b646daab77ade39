#pragma once

#include "entities/enemy.h"

// Kind 4: flies in to the holding depth, then strafes from side to side across the field and
// fires every 55 frames. It never leaves by itself.
class SquareEnemy : public Enemy {
  public:
    SquareEnemy();

    void update() override;
    std::unique_ptr<Enemy> clone() const override { return std::make_unique<SquareEnemy>(*this); }

  private:
    int fireCounter = 0;
    // 1 while the angle decreases, 2 while it increases.
    int strafeDir = 2;
};
