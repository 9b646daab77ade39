#include "entities/player_ship.h"

#include "base/kinds.h"
#include "base/play_field.h"

namespace {

constexpr float kSteerStep = 0.5f;
constexpr float kDriftStep = 0.2f;
// The bound is tested before the step, so the ship may end up to one step beyond it.
constexpr float kSteerLimit = 31.0f;

// The old weapon slides back over this many steps after its first frame, then the new one
// slides forward over as many: 78 frames of play in all.
constexpr int kSwitchSteps = 39;
constexpr float kSwitchSlide = 0.02f;

constexpr int kHitFlashFrames = 3;
constexpr int kThrustCycle = 16;

// Frames the fire key must wait after a shot before the next, per weapon.
int cooldownFrames(int weapon) {
    switch (weapon) {
    case kWeaponDestroyer:
        return 15;
    case kWeaponLaser:
        return 60;
    default:
        return 25;
    }
}

} // namespace

void PlayerShip::update(const ShipControls& controls) {
    steer(controls);
    takeWeaponPowerups();
    readWeaponKeys(controls);
    fire(controls);
    takePendingHit();
}

// Constant speed while an arrow is held, and a slower drift back toward the centre without one.
// Each rule sees the angle the rules before it left, so a drift that carries the angle across 0
// is undone by the opposite drift in the same frame: the ship comes to rest a little right of
// the centre rather than exactly on it.
void PlayerShip::steer(const ShipControls& controls) {
    const bool left = controls.left;
    const bool right = controls.right;
    if (left && !right && angle > -kSteerLimit) {
        angle -= kSteerStep;
    }
    if (right && !left && angle < kSteerLimit) {
        angle += kSteerStep;
    }
    const bool drifting = left == right;
    if (drifting && angle > 0.0f) {
        angle -= kDriftStep;
    }
    if (drifting && angle < 0.0f) {
        angle += kDriftStep;
    }
}

// A caught weapon switches to itself at once, even in the middle of another switch.
void PlayerShip::takeWeaponPowerups() {
    if (gotWeapon2) {
        highestWeapon = kWeaponDestroyer;
        startSwitch(kWeaponDestroyer);
        gotWeapon2 = false;
    }
    if (gotWeapon3) {
        highestWeapon = kWeaponLaser;
        startSwitch(kWeaponLaser);
        gotWeapon3 = false;
    }
}

// A started switch blocks the others, so with several digits held the lowest wins.
void PlayerShip::readWeaponKeys(const ShipControls& controls) {
    for (int weapon = kWeaponMissile; weapon <= kWeaponLaser; ++weapon) {
        if (controls.weaponKeys[weapon - kWeaponMissile] && currentWeapon != weapon && !switching &&
            weapon <= highestWeapon) {
            startSwitch(weapon);
        }
    }
}

// The frame of a shot does not count, so the shots of a held fire key come one frame farther
// apart than the threshold: 26, 16 and 61 frames. The count goes on during a switch, so the
// first shot after one can come at once.
void PlayerShip::fire(const ShipControls& controls) {
    if (!switching) {
        fireRequest = controls.fire && fireCooldown >= cooldownFrames(currentWeapon);
        if (fireRequest) {
            fireCooldown = 0;
        }
    }
    if (!fireRequest && fireCooldown < kCooldownCap) {
        ++fireCooldown;
    }
}

// Any number of hits in one frame cost a single life.
void PlayerShip::takePendingHit() {
    if (hitPending) {
        --lives;
        hitFlash = true;
        hitFlashCounter = 0;
        hitPending = false;
    }
}

void PlayerShip::startSwitch(int weapon) {
    switchCounter = 0;
    previousWeapon = currentWeapon;
    currentWeapon = weapon;
    switching = true;
    switchOffset = 0.0f;
    fireRequest = false;
}

void PlayerShip::addKillScore(int kind) {
    switch (kind) {
    case kKindWedge0:
        score += 5;
        break;
    case kKindWedge1:
    case kKindWedge2:
        score += 8;
        break;
    case kKindSquare:
        score += 10;
        break;
    case kKindBoss:
        score += 250;
        break;
    default:
        // Rings and splitters are worth nothing.
        break;
    }
}

void PlayerShip::repair() {
    if (lives < 5) {
        ++lives;
    }
}

void PlayerShip::reset() {
    angle = 0.0f;
    fireRequest = false;
    fireCooldown = 0;
    hitPending = false;
    lives = 5;
    highestWeapon = kWeaponMissile;
    currentWeapon = kWeaponMissile;
    previousWeapon = 0;
    switchCounter = 0;
    switching = false;
    switchOffset = 0.0f;
    gotWeapon2 = false;
    gotWeapon3 = false;
    thrustCounter = 0;
    score = 0;
}

void PlayerShip::advanceLook() {
    look.hitFlash = hitFlash;
    if (hitFlash) {
        ++hitFlashCounter;
        if (hitFlashCounter >= kHitFlashFrames) {
            hitFlash = false;
        }
    }
    look.switching = switching;
    look.switchOffset = switchOffset;
    look.imageWeapon = switching && previousWeapon != 0 ? previousWeapon : currentWeapon;
    if (switching) {
        advanceSwitch();
    }
    look.shapeWeapon = previousWeapon != 0 ? previousWeapon : currentWeapon;
    look.thrustCount = thrustCounter;
    if (thrustCounter == kThrustCycle) {
        thrustCounter = 0;
    }
    ++thrustCounter;
}

// The old weapon slides back toward the viewer, then the new one slides forward into place.
void PlayerShip::advanceSwitch() {
    if (switchCounter == kSwitchSteps) {
        previousWeapon = 0;
    }
    if (switchCounter < kSwitchSteps && previousWeapon != 0) {
        ++switchCounter;
        switchOffset += kSwitchSlide;
    }
    if (switchCounter > 0 && previousWeapon == 0) {
        --switchCounter;
        switchOffset -= kSwitchSlide;
    }
    if (switchCounter == 0) {
        switching = false;
    }
}
