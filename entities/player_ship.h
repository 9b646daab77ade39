#pragma once

#include "base/kinds.h"

// The keys the ship answers to in one frame.
struct ShipControls {
    bool left = false;
    bool right = false;
    bool fire = false;
    // The digits 1, 2 and 3.
    bool weaponKeys[3] = {};
};

// How the ship looked when its frame was drawn: what render shows of it. The animations behind
// it (the hit flash, the weapon switch, the flames) move on where the frame is drawn, so they
// keep running while the game is paused or over.
struct ShipLook {
    bool hitFlash = false;
    bool switching = false;
    // How far the mounted weapon stood slid back.
    float switchOffset = 0.0f;
    // The weapon whose image is mounted, and the one whose shape it is mounted on: the shape is
    // picked after the switch has moved on, the image before it, so in the frame in which the
    // new weapon takes over its image still lies on the old one's shape.
    int imageWeapon = kWeaponMissile;
    int shapeWeapon = kWeaponMissile;
    // The flames' count, 0 to 16: which of the four images they show.
    int thrustCount = 0;
};

// The player's ship: it sits at a fixed depth in front of the camera and slides around the
// tunnel under the arrow keys. It keeps everything about the player that outlives one shot:
// the weapons, the firing cadence, the lives, the score and how it looks. It never creates
// shots itself; it raises a fire request for one frame and the game turns that into a shot.
class PlayerShip {
  public:
    // The fire cooldown stops counting here: past the slowest weapon's threshold more frames
    // change nothing, and the count cannot overflow in a very long game.
    static constexpr int kCooldownCap = 61;

    // One frame of play: steering, weapon changes, firing and the life a pending hit costs.
    void update(const ShipControls& controls);
    // Where the frame is drawn, in every frame of play: records the look the frame shows, then
    // moves the hit flash, the weapon switch and the flames on.
    void advanceLook();

    // Points for an enemy of kind `kind` that a player shot has just destroyed.
    void addKillScore(int kind);
    // One life more, at most five.
    void repair();
    // Back to the start of a game. A hit flash in progress still runs its three frames.
    void reset();

    bool isFireRequested() const { return fireRequest; }
    float getAngle() const { return angle; }
    float getHalfWidth() const { return kHalfWidth; }
    int getCurrentWeapon() const { return currentWeapon; }
    int getHighestWeapon() const { return highestWeapon; }
    int getLives() const { return lives; }
    int getScore() const { return score; }
    bool isSwitching() const { return switching; }
    // Frames counted since the last shot; the count stops a little past the slowest cadence.
    int getFireCooldown() const { return fireCooldown; }
    const ShipLook& getLook() const { return look; }

  private:
    void steer(const ShipControls& controls);
    void takeWeaponPowerups();
    void readWeaponKeys(const ShipControls& controls);
    void fire(const ShipControls& controls);
    void takePendingHit();
    void startSwitch(int weapon);
    void advanceSwitch();

    float angle = 0.0f;
    bool fireRequest = false;
    int fireCooldown = 0;
    int lives = 5;
    int currentWeapon = kWeaponMissile;
    // The weapon sliding out in the first half of a switch; 0 once the new one slides in.
    int previousWeapon = 0;
    int highestWeapon = kWeaponMissile;
    int switchCounter = 0;
    bool switching = false;
    float switchOffset = 0.0f;
    int thrustCounter = 0;
    int score = 0;
    static constexpr float kHalfWidth = 11.0f;
    bool hitFlash = false;
    int hitFlashCounter = 0;
    ShipLook look;

  public:
    // Set by the game when something hits the ship, or a weapon power-up is caught; the next
    // update acts on them and clears them.
    bool hitPending = false;
    bool gotWeapon2 = false;
    bool gotWeapon3 = false;
};
