#include "entities/drifting.h"

#include "base/play_field.h"
#include "base/random.h"
#include "base/trig.h"
#include "render/gl.h"

#include <array>
#include <cstdlib>

int randomDirection() {
    return (nextRandom() & 2) != 0 ? 1 : -1;
}

float headingInRadians(float heading) {
    const int wholeDegrees = std::abs(static_cast<int>(heading));
    return static_cast<float>(wholeDegrees) * kDegreesToRadians;
}

namespace {

constexpr int kOutlineVertices = 360;

// The outline's points on the unit circle, one per whole degree. Every ring and splitter draws
// the same ones, so they are worked out once instead of twice per vertex in every frame.
struct UnitCircle {
    std::array<float, kOutlineVertices> cos;
    std::array<float, kOutlineVertices> sin;
};

const UnitCircle& unitCircle() {
    static const UnitCircle circle = [] {
        UnitCircle c{};
        for (int i = 0; i < kOutlineVertices; ++i) {
            const float a = static_cast<float>(i) * kDegreesToRadians;
            c.cos[i] = gameCos(a);
            c.sin[i] = gameSin(a);
        }
        return c;
    }();
    return circle;
}

} // namespace

void drawEllipseOutline(float halfAcross, float halfAlong) {
    const UnitCircle& circle = unitCircle();
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < kOutlineVertices; ++i) {
        glVertex3f(halfAcross * circle.cos[i], -1.0f, halfAlong * circle.sin[i]);
    }
    glEnd();
}
