#include "render/gl.h"
#include "render/hud_elements.h"
#include "render/text.h"

namespace {

constexpr float kBarDepth = -2.9f;
constexpr float kTickSpacing = 1.0f / 200.0f;

void drawTick(int i) {
    glLoadIdentity();
    glTranslatef(0.46f + (static_cast<float>(i) - 0.2f) * kTickSpacing, 0.75f, kBarDepth);
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    glVertex3f(0.0f, 0.02f, 0.0f);
    glVertex3f(0.0f, -0.02f, 0.0f);
    glEnd();
}

void drawLabel() {
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, kBarDepth);
    glColor3f(0.8f, 0.1f, 0.1f);
    glRasterPos2f(0.49f, 0.93f);
    drawText(FontNormal, "Boss");
    glRasterPos2f(0.49f, 0.85f);
    drawText(FontNormal, "Life:");
}

} // namespace

void drawBossBar(int bossHitPoints) {
    glColor3f(0.7f, 0.3f, 0.2f);
    // Tick 0 stays while the boss lives, so the bar is one tick longer than its hit points and
    // shrinks from the right as it is hit.
    for (int i = 0; i <= bossHitPoints; ++i) {
        drawTick(i);
    }
    drawLabel();
}
