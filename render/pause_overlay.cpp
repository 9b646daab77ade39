#include "render/pause_overlay.h"

#include "platform/platform.h"
#include "platform/virtual_keys.h"
#include "render/gl.h"
#include "render/text.h"

namespace {

void drawOption(float x, float y, const char* text) {
    glRasterPos2f(x, y);
    drawText(FontNormal, "%s", text);
}

} // namespace

void runPauseOverlay(PauseChoice& pauseChoice, bool& paused, bool gameOver) {
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.5f, 0.5f, 0.5f);
    glLoadIdentity();
    glTranslatef(-0.2f, 0.3f, -1.0f);
    drawOption(0.3f, -0.2f, "Options:");
    // A finished game cannot be returned to.
    if (!gameOver) {
        drawOption(0.4f, -0.25f, "[ESC] Return to game");
    }
    drawOption(0.4f, -0.3f, "[F2] Restart");
    drawOption(0.4f, -0.35f, "[F3] Menu");
    drawOption(0.4f, -0.4f, "[F4] Quit");

    const bool f2 = keyDown(KeyF2);
    const bool f3 = keyDown(KeyF3);
    const bool f4 = keyDown(KeyF4);
    if (f2) {
        pauseChoice = PauseChoice::Restart;
    }
    if (f3) {
        pauseChoice = PauseChoice::BackToMenu;
    }
    if (f4) {
        pauseChoice = PauseChoice::QuitGame;
    }
    if (f2 || f3 || f4) {
        paused = false;
    }
}
