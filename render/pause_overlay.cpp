#include "render/pause_overlay.h"

#include "render/gl.h"
#include "render/text.h"

namespace {

void drawOption(float x, float y, const char* text) {
    glRasterPos2f(x, y);
    drawText(FontNormal, "%s", text);
}

} // namespace

void drawPauseOverlay(bool offersReturn) {
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.5f, 0.5f, 0.5f);
    glLoadIdentity();
    glTranslatef(-0.2f, 0.3f, -1.0f);
    drawOption(0.3f, -0.2f, "Options:");
    if (offersReturn) {
        drawOption(0.4f, -0.25f, "[ESC] Return to game");
    }
    drawOption(0.4f, -0.3f, "[F2] Restart");
    drawOption(0.4f, -0.35f, "[F3] Menu");
    drawOption(0.4f, -0.4f, "[F4] Quit");
}
