#include "render/main_menu.h"

#include "render/gl.h"
#include "render/text.h"

namespace {

// The backdrop keeps whatever transform and colour the last text of the previous frame left: it
// stands behind the credit line's translation and takes its grey, which dims it to half.
void drawBackdrop(TextureId menuTexture) {
    glBindTexture(GL_TEXTURE_2D, menuTexture);
    glTranslatef(0.0f, 0.0f, -9.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(6.5f, -5.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(-6.5f, -5.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(-6.5f, 5.0f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(6.5f, 5.0f, 0.0f);
    glEnd();
}

// The lines on the controls, drawn in the transform the caller has set up.
void drawHelpText() {
    struct Line {
        float y;
        const char* text;
    };
    static const Line lines[] = {
        {0.0f, "Keyboard:"},
        {-0.1f, "Left - move left"},
        {-0.21f, "Right - move right"},
        {-0.32f, "Spacebar - shoot"},
        {-0.43f, "Number keys to switch weapon"},
    };
    glColor3f(1.0f, 0.0f, 0.0f);
    for (const Line& line : lines) {
        glRasterPos2f(-0.9f, line.y);
        drawText(FontSmall, "%s", line.text);
    }
}

void drawMarker(float menuCursorY) {
    glColor3f(0.2f, 0.2f, 0.2f);
    glLoadIdentity();
    glTranslatef(-0.32f, menuCursorY, -1.0f);
    glBegin(GL_QUADS);
    glVertex3f(-0.09f, -0.02f, 0.0f);
    glVertex3f(0.09f, -0.02f, 0.0f);
    glVertex3f(0.09f, 0.02f, 0.0f);
    glVertex3f(-0.09f, 0.02f, 0.0f);
    glEnd();
}

} // namespace

void drawMainMenu(TextureId menuTexture, float menuCursorY) {
    glEnable(GL_TEXTURE_2D);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawBackdrop(menuTexture);
    glDisable(GL_TEXTURE_2D);

    glColor3f(0.8f, 0.0f, 0.0f);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -9.0f);
    glRasterPos2f(-1.0f, 3.3f);
    drawText(FontNormal, "Glimmerwake");
    drawHelpText();

    drawMarker(menuCursorY);

    glColor3f(0.8f, 0.0f, 0.0f);
    glLoadIdentity();
    glTranslatef(-0.4f, 0.3f, -1.0f);
    glRasterPos2f(0.0f, 0.0f);
    drawText(FontNormal, "Play");
    glRasterPos2f(0.0f, -0.4f);
    drawText(FontNormal, "Quit");

    glColor3f(0.5f, 0.5f, 0.5f);
    glLoadIdentity();
    glTranslatef(-0.2f, 0.3f, -1.0f);
    glRasterPos2f(0.0f, -0.7f);
    drawText(FontNormal, "Made by the Glimmerwake team, 2026");
}
