#pragma once

#include "render/gl.h"
#include "render/gl_state.h"
#include "render/texture.h"
#include "render/view.h"
#include "tests/support/gl_fixture.h"

#include <cstdint>
#include <vector>

// Helpers for drawing game objects into the shared offscreen context and finding them again.
namespace entity_probe {

struct Rgb {
    int r, g, b;
};

inline bool same(Frame::Pixel p, Rgb c) {
    return p.r == c.r && p.g == c.g && p.b == c.b;
}

// The game's projection and GL state, on a cleared frame.
inline void prepareView() {
    resizeView(OffscreenContext::kWidth, OffscreenContext::kHeight);
    initGlState();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// A texture of `rows` rows of one texel each, row 0 at t = 0, drawn as the game's images are.
inline TextureId makeTexture(const std::vector<Rgb>& rows) {
    std::vector<std::uint8_t> texels;
    for (const Rgb& c : rows) {
        texels.insert(texels.end(), {std::uint8_t(c.r), std::uint8_t(c.g), std::uint8_t(c.b), 255});
    }
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, GLsizei(rows.size()), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
    return id;
}

struct ScreenPoint {
    int x, y; // y = 0 is the top row, as in Frame
};

// Where a point given in an object's own frame (the plane y = -1 holds its flat shape) lands
// on the screen, for an object at this depth and angle.
inline ScreenPoint screenPoint(float depth, float angle, float x, float y, float z) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 1.0f, depth);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, -2.0f, 0.0f);
    GLdouble model[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx = 0;
    GLdouble wy = 0;
    GLdouble wz = 0;
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    return {int(wx), OffscreenContext::kHeight - 1 - int(wy)};
}

} // namespace entity_probe
