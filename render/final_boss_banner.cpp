#include "render/final_boss_banner.h"

#include "render/gl.h"
#include "render/text.h"

void drawFinalBossBanner() {
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.5f, 0.7f, 0.6f);
    glLoadIdentity();
    glTranslatef(-0.2f, 0.3f, -1.0f);
    glRasterPos2f(0.0f, -0.25f);
    drawText(FontLarge, "FINAL BOSS");
}
