#pragma once

#include "base/kinds.h"
#include "render/texture.h"

// The player's ship: it sits at a fixed depth in front of the camera and slides around the
// tunnel under the arrow keys. It keeps everything about the player that outlives one shot:
// the weapons, the firing cadence, the lives, the score and its own picture. It never creates
// shots itself; it raises a fire request for one frame and the game turns that into a shot.
class PlayerShip {
  public:
    // The fire cooldown stops counting here: past the slowest weapon's threshold more frames
    // change nothing, and the count cannot overflow in a very long game.
    static constexpr int kCooldownCap = 61;

    // Hull images by damage (1 undamaged .. 5 wrecked), the three mounted weapons, then the
    // four thrust flame images.
    PlayerShip(TextureId texShip1, TextureId texShip2, TextureId texShip3, TextureId texShip4,
               TextureId texShip5, TextureId texMissileLauncher, TextureId texMeteorDestroyer,
               TextureId texLaserGun, TextureId texThrust1, TextureId texThrust2,
               TextureId texThrust3, TextureId texThrust4);

    // One frame of play: steering, weapon changes, firing and the life a pending hit costs.
    void update();
    // Draws the ship, and advances the switch animation, the flames and the hit flash, which
    // therefore keep running while the game is paused or over.
    void draw();

    // Points for an enemy of kind `kind` that a player shot has just destroyed.
    void addKillScore(int kind);
    // One life more, at most five.
    void repair();
    // Back to the start of a game. A hit flash in progress still runs its three frames.
    void reset();

    bool isFireRequested() const { return fireRequest; }
    float getAngle() const { return angle; }
    float getHalfWidth() const { return halfWidth; }
    int getCurrentWeapon() const { return currentWeapon; }
    int getHighestWeapon() const { return highestWeapon; }
    int getLives() const { return lives; }
    int getScore() const { return score; }
    bool isSwitching() const { return switching; }
    // Frames counted since the last shot; the count stops a little past the slowest cadence.
    int getFireCooldown() const { return fireCooldown; }

  private:
    void steer();
    void takeWeaponPowerups();
    void readWeaponKeys();
    void fire();
    void takePendingHit();
    void startSwitch(int weapon);

    TextureId hullImage() const;
    TextureId weaponImage(int weapon) const;
    TextureId thrustImage() const;
    void drawHull() const;
    void drawMountedWeapon();
    void advanceSwitch();
    void drawThrust();

    float angle = 0.0f;
    bool fireRequest = false;
    int fireCooldown = 0;
    int lives = 5;
    const TextureId texShip1, texShip2, texShip3, texShip4, texShip5;
    const TextureId texMissileLauncher;
    const TextureId texMeteorDestroyer;
    const TextureId texLaserGun;
    const TextureId texThrust1, texThrust2, texThrust3, texThrust4;
    int currentWeapon = kWeaponMissile;
    // The weapon sliding out in the first half of a switch; 0 once the new one slides in.
    int previousWeapon = 0;
    int highestWeapon = kWeaponMissile;
    int switchCounter = 0;
    bool switching = false;
    float switchOffset = 0.0f;
    int thrustCounter = 0;
    int score = 0;
    const float halfWidth = 11.0f;
    bool hitFlash = false;
    int hitFlashCounter = 0;

  public:
    // Set by the game when something hits the ship, or a weapon power-up is caught; the next
    // update acts on them and clears them.
    bool hitPending = false;
    bool gotWeapon2 = false;
    bool gotWeapon3 = false;
};
