#pragma once

// A pickup drifting in from the far end: type 1 is a repair wrench, types 2 and 3 hand the ship
// weapons 2 and 3. It moves and animates only in the frames that show it (neither paused nor
// over), at the point where the frame is drawn. The step tests it against the ship.
class Powerup {
  public:
    explicit Powerup(int type);

    // Moves one step toward the camera and the animation on by one; the frame shows the step
    // the animation stood at before.
    void drift();

    float getDepth() const { return depth; }
    float getAngle() const { return angle; }
    float getHalfWidth() const { return halfWidth; }
    int getType() const { return type; }
    // The animation step the frame shows, 0 to 19: images a, b, c by thirds.
    int getShownStep() const { return shownStep; }

  private:
    void advanceAnimation();

    float depth;
    float angle;
    // Runs up from 0 to 19 and back down, and again.
    int animStep = 0;
    int shownStep = 0;
    float halfWidth = 6.1875f;
    int type;
    bool animRising = true;
};
