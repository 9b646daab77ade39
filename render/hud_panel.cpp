#include "base/kinds.h"
#include "render/gl.h"
#include "render/hud_elements.h"

namespace {

constexpr float kPanelDepth = -3.0f;
constexpr float kSlotHalfWidth = 0.05f;
constexpr float kSlotHalfHeight = 0.06f;
// An unlocked slot sits closer to the one before it than the locked marker does.
constexpr float kUnlockedStep = 0.18f;
constexpr float kLockedStep = 0.2f;
constexpr float kLifeHalfWidth = 0.045f;
constexpr float kLifeHalfHeight = 0.08f;
constexpr float kLifeStep = 0.1f;

// A quad facing the camera whose image's left column (s = 0) lies on the side at x sZeroX and
// whose top row (t = 0) lies at the top.
void drawImageQuad(float sZeroX, float sOneX, float halfHeight) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(sZeroX, -halfHeight, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(sOneX, -halfHeight, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(sOneX, halfHeight, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(sZeroX, halfHeight, 0.0f);
    glEnd();
}

void drawCentredQuad(float halfWidth, float halfHeight) {
    drawImageQuad(halfWidth, -halfWidth, halfHeight);
}

void drawStrip(TextureId strip) {
    glBindTexture(GL_TEXTURE_2D, strip);
    glColor3f(1.0f, 1.0f, 1.0f);
    glLoadIdentity();
    glTranslatef(0.0f, 0.83f, kPanelDepth);
    drawCentredQuad(1.685f, 0.395f);
}

// Moves right from the slot before and draws this one, or the locked marker in its place.
void drawNextSlot(TextureId image, TextureId locked, bool unlocked) {
    glTranslatef(unlocked ? kUnlockedStep : kLockedStep, 0.0f, 0.0f);
    glBindTexture(GL_TEXTURE_2D, unlocked ? image : locked);
    drawCentredQuad(kSlotHalfWidth, kSlotHalfHeight);
}

// The slots are placed from the strip's own transform, each relative to the one before.
void drawWeaponSlots(const PanelImages& images, int highestWeapon) {
    glBindTexture(GL_TEXTURE_2D, images.slot1);
    glTranslatef(-1.57f, 0.28f, 0.0f);
    drawCentredQuad(kSlotHalfWidth, kSlotHalfHeight);

    drawNextSlot(images.slot2, images.locked, highestWeapon >= kWeaponDestroyer);

    if (highestWeapon >= kWeaponLaser) {
        glTranslatef(kUnlockedStep, 0.0f, 0.0f);
        glBindTexture(GL_TEXTURE_2D, images.slot3);
        // The laser's sketch is narrower than the others and sits off centre.
        drawImageQuad(0.045f, -0.03f, kSlotHalfHeight);
    } else {
        drawNextSlot(images.slot3, images.locked, false);
    }
}

void drawLifeIcons(TextureId life, int lives) {
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, life);
    for (int n = 1; n <= lives; ++n) {
        if (n == 1) {
            glTranslatef(1.14f, 1.0f, kPanelDepth);
        } else {
            glTranslatef(kLifeStep, 0.0f, 0.0f);
        }
        drawCentredQuad(kLifeHalfWidth, kLifeHalfHeight);
    }
}

} // namespace

void drawPanel(const PanelImages& images, int highestWeapon, int lives) {
    drawStrip(images.strip);
    drawWeaponSlots(images, highestWeapon);
    drawLifeIcons(images.life, lives);
}
