#include "entities/play_field.h"

#include "game/random.h"
#include "render/gl.h"

float randomEntryAngle() {
    return static_cast<float>(nextRandom() % 62 - 31);
}

void applyPlacement(float depth, float angle) {
    glLoadIdentity();
    glTranslatef(0.0f, 1.0f, depth);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, -2.0f, 0.0f);
}
