#include "render/gl.h"
#include "render/hud_elements.h"

namespace {

constexpr float kRadarDepth = -2.9f;
constexpr float kGridCentreX = -0.2f;
constexpr float kGridCentreY = 0.91f;
constexpr float kGridSpacing = 1.0f / 11.0f;
constexpr float kDotHalfSize = 0.01f;

// Each grid line shades from one green at its first end to another at its second.
void drawGridSegment(float x0, float y0, float x1, float y1) {
    glBegin(GL_LINES);
    glColor3f(0.3f, 0.7f, 0.3f);
    glVertex3f(x0, y0, 0.0f);
    glColor3f(0.2f, 0.8f, 0.3f);
    glVertex3f(x1, y1, 0.0f);
    glEnd();
}

void drawGrid() {
    for (int j = -5; j <= 5; ++j) {
        glLoadIdentity();
        glTranslatef(static_cast<float>(j) * kGridSpacing + kGridCentreX, kGridCentreY,
                     kRadarDepth);
        drawGridSegment(0.0f, 0.2f, 0.0f, -0.2f);
    }
    for (int k = -2; k <= 2; ++k) {
        glLoadIdentity();
        glTranslatef(kGridCentreX, static_cast<float>(k) * kGridSpacing + kGridCentreY,
                     kRadarDepth);
        drawGridSegment(0.5f, 0.0f, -0.5f, 0.0f);
    }
}

// The radar looks down on the field from above the ship: angle runs across, depth runs up, so
// an enemy at the far end (-20) shows 0.4 above the radar's origin.
void drawDot(const RadarPoint& point) {
    glLoadIdentity();
    glTranslatef(-0.3f, 0.7f, kRadarDepth);
    glTranslatef(point.angle / 75.0f, -point.depth / 50.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex3f(kDotHalfSize, -kDotHalfSize, 0.0f);
    glVertex3f(-kDotHalfSize, -kDotHalfSize, 0.0f);
    glVertex3f(-kDotHalfSize, kDotHalfSize, 0.0f);
    glVertex3f(kDotHalfSize, kDotHalfSize, 0.0f);
    glEnd();
}

} // namespace

void drawRadar(const EntityList<RadarPoint>& radarPoints) {
    drawGrid();
    glColor3f(1.0f, 0.0f, 0.0f);
    for (const auto& point : radarPoints) {
        drawDot(*point);
    }
}
