#include "base/play_field.h"
#include "render/gl.h"
#include "render/hud_elements.h"

namespace {

constexpr int kFirstRail = -31;
constexpr int kLastRail = 30;
constexpr float kDegreesPerRail = 2.0f;
constexpr float kRailRadius = 3.5f;

} // namespace

// The rails lie half a unit outside the cylinder the game objects move on, around the same axis
// (x = 0, y = 1), so they frame the ship's path from just beyond it.
void drawTunnelRails() {
    for (int l = kFirstRail; l <= kLastRail; ++l) {
        glLoadIdentity();
        glTranslatef(0.0f, 1.0f, kShipDepth);
        glRotatef(kDegreesPerRail * static_cast<float>(l), 0.0f, 0.0f, 1.0f);
        glTranslatef(0.0f, -kRailRadius, 0.0f);
        glBegin(GL_LINES);
        glColor3f(0.3f, 0.7f, 0.9f);
        glVertex3f(0.0f, 0.0f, 2.5f);
        glColor3f(0.1f, 0.1f, 0.1f);
        glVertex3f(0.0f, 0.0f, kFieldFar);
        glEnd();
    }
}
