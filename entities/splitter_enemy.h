#pragma once

#include "entities/enemy.h"

// Kind 7, the final swarm: a blue ellipse that drifts inside depths -20 to -5 and angles -35.5 to
// 35.5. Its generation (1, 2, 4, 8 or 16) sets its size and hit points; the splitter group owns
// every splitter and makes new ones when the swarm is hit.
class SplitterEnemy : public Enemy {
  public:
    // A first-generation splitter comes in at the far end at a random angle and ignores the
    // position; a later one starts at `atDepth` and `atAngle`, where its parent was split.
    SplitterEnemy(int generation, float atDepth, float atAngle);

    void update() override;
    std::unique_ptr<Enemy> clone() const override { return std::make_unique<SplitterEnemy>(*this); }

    // 16 / generation hit points, and a size that halves with every doubling of the generation.
    void resizeForGeneration(int generation);

  private:
    // Degrees; its cosine shares the speed out around the field, its sine in depth. Every bounce
    // off a side knocks it off by up to 33 degrees.
    float heading;
    int depthDir = 1;
    int angleDir;
    // True until the splitter has first come inside its depth range.
    bool entering = true;
};
