#include "entities/player_ship.h"

#include "base/kinds.h"
#include "base/play_field.h"
#include "entities/placement.h"
#include "platform/platform.h"
#include "platform/virtual_keys.h"
#include "render/gl.h"

namespace {

constexpr float kSteerStep = 0.5f;
constexpr float kDriftStep = 0.2f;
// The bound is tested before the step, so the ship may end up to one step beyond it.
constexpr float kSteerLimit = 31.0f;

// The old weapon slides back over this many steps after its first frame, then the new one
// slides forward over as many: 78 drawn frames in all.
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

void texturedVertex(float s, float t, float x, float y, float z) {
    glTexCoord2f(s, t);
    glVertex3f(x, y, z);
}

// A red square just in front of the ship that fills the whole view. It is drawn before the hull,
// so the ship shows on top of it, and it hides whatever farther away is drawn after it.
void drawHitFlash() {
    glDisable(GL_TEXTURE_2D);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, kShipDepth);
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex3f(6.0f, 6.0f, -1.0f);
    glVertex3f(-6.0f, 6.0f, -1.0f);
    glVertex3f(-6.0f, -6.0f, -1.0f);
    glVertex3f(6.0f, -6.0f, -1.0f);
    glEnd();
}

// The mounted weapons point forward from the nose, just outside the hull plane, so the hull
// covers their roots. Their front ends (-8.0 for the launcher, -10.0 for the other two) are
// where the game creates the shots.
void drawLaserGunQuad() {
    glTranslatef(-0.2f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    texturedVertex(0.0f, 1.0f, 0.25f, -1.01f, -0.5f);
    texturedVertex(1.0f, 1.0f, -0.25f, -1.01f, -0.5f);
    texturedVertex(1.0f, 0.0f, -0.25f, -1.05f, -3.5f);
    texturedVertex(0.0f, 0.0f, 0.25f, -1.05f, -3.5f);
    glEnd();
}

void drawMeteorDestroyerQuad() {
    glBegin(GL_QUADS);
    texturedVertex(0.0f, 1.0f, 0.125f, -1.01f, -0.5f);
    texturedVertex(1.0f, 1.0f, -0.125f, -1.01f, -0.5f);
    texturedVertex(1.0f, 0.0f, -0.125f, -1.05f, -3.5f);
    texturedVertex(0.0f, 0.0f, 0.125f, -1.05f, -3.5f);
    glEnd();
}

void drawMissileLauncherQuad() {
    glBegin(GL_QUADS);
    texturedVertex(0.0f, 1.0f, 0.125f, -1.01f, -1.0f);
    texturedVertex(1.0f, 1.0f, -0.125f, -1.01f, -1.0f);
    texturedVertex(1.0f, 0.0f, -0.125f, -1.01f, -1.5f);
    texturedVertex(0.0f, 0.0f, 0.125f, -1.01f, -1.5f);
    glEnd();
}

void drawFlameQuad() {
    glBegin(GL_QUADS);
    texturedVertex(0.0f, 0.0f, 0.06f, -1.0f, 0.3f);
    texturedVertex(1.0f, 0.0f, -0.06f, -1.0f, 0.3f);
    texturedVertex(1.0f, 1.0f, -0.06f, -1.0f, -0.3f);
    texturedVertex(0.0f, 1.0f, 0.06f, -1.0f, -0.3f);
    glEnd();
}

} // namespace

PlayerShip::PlayerShip(TextureId texShip1, TextureId texShip2, TextureId texShip3,
                       TextureId texShip4, TextureId texShip5, TextureId texMissileLauncher,
                       TextureId texMeteorDestroyer, TextureId texLaserGun, TextureId texThrust1,
                       TextureId texThrust2, TextureId texThrust3, TextureId texThrust4)
    : texShip1(texShip1), texShip2(texShip2), texShip3(texShip3), texShip4(texShip4),
      texShip5(texShip5), texMissileLauncher(texMissileLauncher),
      texMeteorDestroyer(texMeteorDestroyer), texLaserGun(texLaserGun), texThrust1(texThrust1),
      texThrust2(texThrust2), texThrust3(texThrust3), texThrust4(texThrust4) {}

void PlayerShip::update() {
    steer();
    takeWeaponPowerups();
    readWeaponKeys();
    fire();
    takePendingHit();
}

// Constant speed while an arrow is held, and a slower drift back toward the centre without one.
// Each rule sees the angle the rules before it left, so a drift that carries the angle across 0
// is undone by the opposite drift in the same frame: the ship comes to rest a little right of
// the centre rather than exactly on it.
void PlayerShip::steer() {
    const bool left = keyDown(KeyLeft);
    const bool right = keyDown(KeyRight);
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
void PlayerShip::readWeaponKeys() {
    const int keys[] = {Key1, Key2, Key3};
    for (int weapon = kWeaponMissile; weapon <= kWeaponLaser; ++weapon) {
        if (keyDown(keys[weapon - kWeaponMissile]) && currentWeapon != weapon && !switching &&
            weapon <= highestWeapon) {
            startSwitch(weapon);
        }
    }
}

// The frame of a shot does not count, so the shots of a held fire key come one frame farther
// apart than the threshold: 26, 16 and 61 frames. The count goes on during a switch, so the
// first shot after one can come at once.
void PlayerShip::fire() {
    if (!switching) {
        fireRequest = keyDown(KeySpace) && fireCooldown >= cooldownFrames(currentWeapon);
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

void PlayerShip::draw() {
    if (hitFlash) {
        drawHitFlash();
        ++hitFlashCounter;
        if (hitFlashCounter >= kHitFlashFrames) {
            hitFlash = false;
        }
    }
    glEnable(GL_TEXTURE_2D);
    drawHull();
    drawMountedWeapon();
    drawThrust();
    glDisable(GL_TEXTURE_2D);
}

TextureId PlayerShip::hullImage() const {
    switch (lives) {
    case 5:
        return texShip1;
    case 4:
        return texShip2;
    case 3:
        return texShip3;
    case 2:
        return texShip4;
    default:
        return texShip5;
    }
}

TextureId PlayerShip::weaponImage(int weapon) const {
    switch (weapon) {
    case kWeaponDestroyer:
        return texMeteorDestroyer;
    case kWeaponLaser:
        return texLaserGun;
    default:
        return texMissileLauncher;
    }
}

TextureId PlayerShip::thrustImage() const {
    if (thrustCounter <= 4) {
        return texThrust1;
    }
    if (thrustCounter <= 8) {
        return texThrust2;
    }
    if (thrustCounter <= 12) {
        return texThrust3;
    }
    return texThrust4;
}

// Leaves the ship transform loaded for the mounted weapon.
void PlayerShip::drawHull() const {
    glBindTexture(GL_TEXTURE_2D, hullImage());
    applyPlacement(kShipDepth, angle);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    texturedVertex(0.0f, 1.0f, 0.7f, -1.0f, 1.5f);
    texturedVertex(1.0f, 1.0f, -0.7f, -1.0f, 1.5f);
    texturedVertex(1.0f, 0.0f, -0.7f, -1.0f, -1.0f);
    texturedVertex(0.0f, 0.0f, 0.7f, -1.0f, -1.0f);
    glEnd();
}

void PlayerShip::drawMountedWeapon() {
    if (switching) {
        glTranslatef(0.0f, 0.0f, switchOffset);
        glBindTexture(GL_TEXTURE_2D,
                      weaponImage(previousWeapon != 0 ? previousWeapon : currentWeapon));
        advanceSwitch();
    } else {
        glBindTexture(GL_TEXTURE_2D, weaponImage(currentWeapon));
    }

    const int shown = previousWeapon != 0 ? previousWeapon : currentWeapon;
    if (shown == kWeaponLaser) {
        drawLaserGunQuad();
    } else if (shown == kWeaponDestroyer) {
        drawMeteorDestroyerQuad();
    } else {
        drawMissileLauncherQuad();
    }
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

// Two flames behind the tail, cycling through four images; the switch offset does not move them.
void PlayerShip::drawThrust() {
    glBindTexture(GL_TEXTURE_2D, thrustImage());
    if (thrustCounter == kThrustCycle) {
        thrustCounter = 0;
    }
    ++thrustCounter;

    glLoadIdentity();
    glTranslatef(0.0f, 1.0f, kShipDepth);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    glTranslatef(-0.35f, -1.99f, 1.7f);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawFlameQuad();
    glTranslatef(0.7f, 0.0f, 0.0f);
    drawFlameQuad();
}
