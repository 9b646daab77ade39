#include "render/entity_drawing.h"

#include "base/kinds.h"
#include "base/play_field.h"
#include "entities/drifting.h"
#include "render/gl.h"
#include "render/placement.h"

namespace {

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

TextureId hullImage(int lives, const GameTextures& t) {
    switch (lives) {
    case 5:
        return t.texShip1;
    case 4:
        return t.texShip2;
    case 3:
        return t.texShip3;
    case 2:
        return t.texShip4;
    default:
        return t.texShip5;
    }
}

TextureId weaponImage(int weapon, const GameTextures& t) {
    switch (weapon) {
    case kWeaponDestroyer:
        return t.texMeteorDestroyer;
    case kWeaponLaser:
        return t.texLaserGun;
    default:
        return t.texMissileLauncher;
    }
}

// The flames cycle through their four images over sixteen frames.
TextureId thrustImage(int thrustCount, const GameTextures& t) {
    if (thrustCount <= 4) {
        return t.texThrust1;
    }
    if (thrustCount <= 8) {
        return t.texThrust2;
    }
    if (thrustCount <= 12) {
        return t.texThrust3;
    }
    return t.texThrust4;
}

// Leaves the ship transform loaded for the mounted weapon.
void drawHull(const PlayerShip& ship, const GameTextures& textures) {
    glBindTexture(GL_TEXTURE_2D, hullImage(ship.getLives(), textures));
    applyPlacement(kShipDepth, ship.getAngle());
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    texturedVertex(0.0f, 1.0f, 0.7f, -1.0f, 1.5f);
    texturedVertex(1.0f, 1.0f, -0.7f, -1.0f, 1.5f);
    texturedVertex(1.0f, 0.0f, -0.7f, -1.0f, -1.0f);
    texturedVertex(0.0f, 0.0f, 0.7f, -1.0f, -1.0f);
    glEnd();
}

// The old weapon slides back toward the viewer, then the new one slides forward into place.
void drawMountedWeapon(const ShipLook& look, const GameTextures& textures) {
    if (look.switching) {
        glTranslatef(0.0f, 0.0f, look.switchOffset);
    }
    glBindTexture(GL_TEXTURE_2D, weaponImage(look.imageWeapon, textures));
    if (look.shapeWeapon == kWeaponLaser) {
        drawLaserGunQuad();
    } else if (look.shapeWeapon == kWeaponDestroyer) {
        drawMeteorDestroyerQuad();
    } else {
        drawMissileLauncherQuad();
    }
}

// Two flames behind the tail; the switch offset does not move them.
void drawThrust(const PlayerShip& ship, const GameTextures& textures) {
    glBindTexture(GL_TEXTURE_2D, thrustImage(ship.getLook().thrustCount, textures));
    glLoadIdentity();
    glTranslatef(0.0f, 1.0f, kShipDepth);
    glRotatef(ship.getAngle(), 0.0f, 0.0f, 1.0f);
    glTranslatef(-0.35f, -1.99f, 1.7f);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawFlameQuad();
    glTranslatef(0.7f, 0.0f, 0.0f);
    drawFlameQuad();
}

void drawWedge(const Enemy& enemy) {
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.8f, 0.01f, 0.01f);
    applyPlacement(enemy.getDepth(), enemy.getAngle());
    // The point faces the camera.
    glBegin(GL_TRIANGLES);
    glVertex3f(0.2f, -1.0f, -0.45f);
    glVertex3f(-0.2f, -1.0f, -0.45f);
    glVertex3f(0.0f, -1.0f, 0.45f);
    glEnd();
}

void drawSquare(const Enemy& enemy) {
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.6f, 0.0f, 0.8f);
    applyPlacement(enemy.getDepth(), enemy.getAngle());
    glBegin(GL_QUADS);
    glVertex3f(0.35f, -1.0f, 0.35f);
    glVertex3f(-0.35f, -1.0f, 0.35f);
    glVertex3f(-0.35f, -1.0f, -0.35f);
    glVertex3f(0.35f, -1.0f, -0.35f);
    glEnd();
}

void drawBoss(const Enemy& enemy) {
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.7f, 0.55f, 0.15f);
    applyPlacement(enemy.getDepth(), enemy.getAngle());
    // The base on the floor of the field.
    glBegin(GL_QUADS);
    glVertex3f(0.7f, -1.0f, 0.8f);
    glVertex3f(-0.7f, -1.0f, 0.8f);
    glVertex3f(-0.7f, -1.0f, -0.8f);
    glVertex3f(0.7f, -1.0f, -0.8f);
    glEnd();
    // A ramp over it, its far edge raised toward the axis.
    glBegin(GL_QUADS);
    glVertex3f(0.7f, -1.0f, 0.8f);
    glVertex3f(-0.7f, -1.0f, 0.8f);
    glVertex3f(-0.7f, -0.5f, -0.8f);
    glVertex3f(0.7f, -0.5f, -0.8f);
    glEnd();
}

// An ellipse outline in the floor plane of the placement (y = -1), reaching `halfAcross` to
// either side and `halfAlong` along the view axis.
void drawEllipseOutline(float halfAcross, float halfAlong) {
    const UnitCircle& circle = unitCircle();
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < kOutlineVertices; ++i) {
        glVertex3f(halfAcross * circle.cos[i], -1.0f, halfAlong * circle.sin[i]);
    }
    glEnd();
}

void drawRing(const Enemy& enemy) {
    // Texturing is already off here: every textured draw switches it off when done.
    glLineWidth(4.0f);
    glColor3f(0.3f, 0.5f, 0.2f);
    applyPlacement(enemy.getDepth(), enemy.getAngle());
    drawEllipseOutline(0.3f, 0.7f);
}

// The shot's image on a quad in its own frame of the tunnel, across from -halfSpan to halfSpan
// and along the view axis from nearEdge to farEdge (negative is forward). The image's t = 0 edge
// goes at the far end unless `nearEdgeLeads`.
void drawShotImage(const Projectile& shot, TextureId image, float halfSpan, float nearEdge,
                   float farEdge, bool nearEdgeLeads) {
    const float nearT = nearEdgeLeads ? 0.0f : 1.0f;
    const float farT = 1.0f - nearT;

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, image);
    glColor3f(1.0f, 1.0f, 1.0f);
    applyPlacement(shot.getDepth(), shot.getAngle());
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, nearT);
    glVertex3f(halfSpan, -1.0f, nearEdge);
    glTexCoord2f(1.0f, nearT);
    glVertex3f(-halfSpan, -1.0f, nearEdge);
    glTexCoord2f(1.0f, farT);
    glVertex3f(-halfSpan, -1.0f, farEdge);
    glTexCoord2f(0.0f, farT);
    glVertex3f(halfSpan, -1.0f, farEdge);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

// Six frames of the first image, five of each of the next four and four of the last.
TextureId explosionImage(int step, const GameTextures& t) {
    if (step <= 5) {
        return t.texExplosion1;
    }
    if (step <= 10) {
        return t.texExplosion2;
    }
    if (step <= 15) {
        return t.texExplosion3;
    }
    if (step <= 20) {
        return t.texExplosion4;
    }
    if (step <= 25) {
        return t.texExplosion5;
    }
    return t.texExplosion6;
}

// Of the three images of a weapon pickup, by animation step.
TextureId pickImage(int step, TextureId a, TextureId b, TextureId c) {
    if (step <= 7) {
        return a;
    }
    if (step <= 14) {
        return b;
    }
    return c;
}

TextureId powerupImage(const Powerup& powerup, const GameTextures& t) {
    const int step = powerup.getShownStep();
    switch (powerup.getType()) {
    case kPowerupWrench:
        return t.texWrench;
    case kPowerupDestroyer:
        return pickImage(step, t.texPowerup2a, t.texPowerup2b, t.texPowerup2c);
    case kPowerupLaser:
        return pickImage(step, t.texPowerup3a, t.texPowerup3b, t.texPowerup3c);
    default:
        return 0;
    }
}

} // namespace

void drawShip(const PlayerShip& ship, const GameTextures& textures) {
    const ShipLook& look = ship.getLook();
    if (look.hitFlash) {
        drawHitFlash();
    }
    glEnable(GL_TEXTURE_2D);
    drawHull(ship, textures);
    drawMountedWeapon(look, textures);
    drawThrust(ship, textures);
    glDisable(GL_TEXTURE_2D);
}

void drawEnemy(const Enemy& enemy) {
    switch (enemy.getKindId()) {
    case kKindSquare:
        drawSquare(enemy);
        break;
    case kKindBoss:
        drawBoss(enemy);
        break;
    case kKindRing:
        drawRing(enemy);
        break;
    default:
        drawWedge(enemy);
        break;
    }
}

void drawSplitter(const SplitterEnemy& splitter) {
    // Texturing is already off here: every textured draw switches it off when done.
    glLineWidth(6.0f);
    glColor3f(0.15f, 0.3f, 0.7f);
    applyPlacement(splitter.getDepth(), splitter.getAngle());
    drawEllipseOutline(splitter.getHalfWidth() * 0.05f, splitter.getHalfDepth() * 0.5f);
}

void drawProjectile(const Projectile& shot, const GameTextures& textures) {
    const bool towardCamera = shot.getDirection() == Direction::Toward;
    switch (shot.getWeaponType()) {
    case kWeaponDestroyer:
        drawShotImage(shot, textures.texDestroyerBullet, 0.035f, 0.3f, -0.3f, towardCamera);
        break;
    case kWeaponLaser:
        // The beam runs 15 units forward from its depth, whichever side fired it.
        drawShotImage(shot, textures.texLaser, 0.07f, 0.0f, -15.0f, false);
        break;
    default:
        drawShotImage(shot, textures.texMissile, 0.05f, 0.15f, -0.15f, towardCamera);
        break;
    }
}

void drawExplosion(const Explosion& explosion, const GameTextures& textures) {
    if (explosion.getAnimStep() == 0) {
        return;
    }
    drawFloorSprite(explosionImage(explosion.getAnimStep() - 1, textures), explosion.getDepth(),
                    explosion.getAngle(), 0.2f, 0.3f);
}

void drawPowerup(const Powerup& powerup, const GameTextures& textures) {
    drawFloorSprite(powerupImage(powerup, textures), powerup.getDepth(), powerup.getAngle(), 0.15f,
                    0.2f);
}
