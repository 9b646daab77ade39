#pragma once

#include "render/texture.h"

// A six-image flash where something was hit. It plays once, one image step per drawing, so it
// keeps playing while the game is paused or over, and asks to be removed after 30 drawings.
class Explosion {
  public:
    Explosion(float depth, float angle, TextureId texExplosion1, TextureId texExplosion2,
              TextureId texExplosion3, TextureId texExplosion4, TextureId texExplosion5,
              TextureId texExplosion6);

    // Draws the current image and moves the animation on by one step.
    void draw();
    bool isFinished() const { return finished; }

    float getDepth() const { return depth; }
    float getAngle() const { return angle; }
    // The number of drawings so far.
    int getAnimStep() const { return animStep; }

  private:
    TextureId currentImage() const;

    float depth;
    float angle;
    int animStep = 0;
    bool finished = false;
    TextureId texExplosion1;
    TextureId texExplosion2;
    TextureId texExplosion3;
    TextureId texExplosion4;
    TextureId texExplosion5;
    TextureId texExplosion6;
};
