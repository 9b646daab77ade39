#include "base/kinds.h"
#include "render/gl.h"
#include "render/hud_elements.h"
#include "render/text.h"

namespace {

constexpr float kTextDepth = -2.9f;

void placeTexts(float red, float green, float blue) {
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, kTextDepth);
    glColor3f(red, green, blue);
}

void drawTextAt(Font font, float x, float y, const char* text) {
    glRasterPos2f(x, y);
    drawText(font, "%s", text);
}

} // namespace

void drawWeaponNumbers(int highestWeapon) {
    placeTexts(0.1f, 0.8f, 0.1f);
    drawTextAt(FontSmall, -1.47f, 1.01f, "1");
    if (highestWeapon >= kWeaponDestroyer) {
        drawTextAt(FontSmall, -1.29f, 1.01f, "2");
    }
    if (highestWeapon >= kWeaponLaser) {
        drawTextAt(FontSmall, -1.11f, 1.01f, "3");
    }
}

void drawLivesAndScore(int score) {
    placeTexts(0.25f, 0.25f, 0.55f);
    drawTextAt(FontNormal, 1.08f, 1.1f, "Lives:");
    drawTextAt(FontNormal, 1.08f, 0.78f, "Score:");
    glRasterPos2f(1.13f, 0.65f);
    drawText(FontNormal, "%d", score);
}
