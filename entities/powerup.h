#pragma once

#include "render/texture.h"

// A pickup drifting in from the far end: type 1 is a repair wrench, types 2 and 3 hand the ship
// weapons 2 and 3. It moves and animates as it is drawn, so it stands still whenever the frame
// step does not draw it. The frame step tests it against the ship.
class Powerup {
  public:
    // Of the images only those of its own type are kept.
    Powerup(int type, TextureId image2a, TextureId image2b, TextureId image2c, TextureId image3a,
            TextureId image3b, TextureId image3c, TextureId wrench);

    // Moves one step toward the camera, draws and moves the animation on.
    void draw();

    float getDepth() const { return depth; }
    float getAngle() const { return angle; }
    float getHalfWidth() const { return halfWidth; }
    int getType() const { return type; }

  private:
    TextureId currentImage() const;
    void advanceAnimation();

    float depth;
    float angle;
    // Runs up from 0 to 19 and back down, and again.
    int animStep = 0;
    TextureId texPowerup2a = 0;
    TextureId texPowerup2b = 0;
    TextureId texPowerup2c = 0;
    TextureId texPowerup3a = 0;
    TextureId texPowerup3b = 0;
    TextureId texPowerup3c = 0;
    TextureId texWrench = 0;
    float halfWidth = 6.1875f;
    int type;
    bool animRising = true;
};
