#pragma once

#include "entities/enemy.h"

// Kind 5, the mid-level boss: flies in to the holding depth, then runs a cycle of 501 frames in
// which it follows the ship's angle, dives through the ship's band and climbs back; it fires every
// 76 frames of holding, whatever the cycle is doing. Only damage removes it.
class BossEnemy : public Enemy {
  public:
    BossEnemy();

    void update() override;
    std::unique_ptr<Enemy> clone() const override { return std::make_unique<BossEnemy>(*this); }

  private:
    int fireCounter = 0;
    int phaseCounter = 0;
};
