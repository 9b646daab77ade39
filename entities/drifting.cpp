#include "entities/drifting.h"

#include "entities/play_field.h"
#include "game/random.h"
#include "render/gl.h"

#include <cmath>
#include <cstdlib>

int randomDirection() {
    return (nextRandom() & 2) != 0 ? 1 : -1;
}

float headingInRadians(float heading) {
    const int wholeDegrees = std::abs(static_cast<int>(heading));
    return static_cast<float>(wholeDegrees) * kDegreesToRadians;
}

void drawEllipseOutline(float halfAcross, float halfAlong) {
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < 360; ++i) {
        const float a = static_cast<float>(i) * kDegreesToRadians;
        glVertex3f(halfAcross * std::cos(a), -1.0f, halfAlong * std::sin(a));
    }
    glEnd();
}
