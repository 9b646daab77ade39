#include "render/placement.h"

#include "render/gl.h"

void applyPlacement(float depth, float angle) {
    glLoadIdentity();
    glTranslatef(0.0f, 1.0f, depth);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, -2.0f, 0.0f);
}

void drawFloorSprite(TextureId image, float depth, float angle, float halfSize, float rise) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, image);
    glColor3f(1.0f, 1.0f, 1.0f);
    applyPlacement(depth, angle);
    const float top = -1.0f + rise;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(halfSize, -1.0f, halfSize);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(-halfSize, -1.0f, halfSize);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(-halfSize, top, -halfSize);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(halfSize, top, -halfSize);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}
