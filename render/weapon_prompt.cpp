#include "render/weapon_prompt.h"

#include "base/kinds.h"
#include "render/gl.h"
#include "render/text.h"

void drawWeaponPrompt(int kind) {
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 0.1f, 0.1f);
    glLoadIdentity();
    glTranslatef(-0.2f, 0.1f, -1.0f);
    glRasterPos2f(0.0f, 0.0f);
    drawText(FontNormal, "QUICK, Switch weapon!!!");
    // No new raster position: the key continues the same line.
    if (kind == kWeaponMissile) {
        drawText(FontNormal, "  Press [1]");
    } else if (kind == kWeaponDestroyer) {
        drawText(FontNormal, "  Press [2]");
    }
}
