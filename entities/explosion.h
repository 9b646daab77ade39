#pragma once

// A six-image flash where something was hit. It plays once, one image step per frame from the
// frame it appears in, at the point where the frame is drawn, so it keeps playing while the game
// is paused or over, and asks to be removed after 30 steps.
class Explosion {
  public:
    Explosion(float depth, float angle) : depth(depth), angle(angle) {}

    // One step of the animation, taken where the frame is drawn.
    void advanceAnimation();
    bool isFinished() const { return finished; }

    float getDepth() const { return depth; }
    float getAngle() const { return angle; }
    // The steps taken so far. The frame shows the image of the step before the latest; an
    // explosion that has taken none appeared after its frame was drawn and is not shown yet.
    int getAnimStep() const { return animStep; }

  private:
    float depth;
    float angle;
    int animStep = 0;
    bool finished = false;
};
