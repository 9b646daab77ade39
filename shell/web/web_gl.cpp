#include "shell/web/web_gl.h"

#include <GL/gl.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <vector>

// The emulation's own entry points, under the names it also gives them so that a program may
// define the plain ones itself, as this file does for a few.
extern "C" {
void emscripten_glBegin(GLenum mode);
void emscripten_glEnd();
void emscripten_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void emscripten_glVertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w);
void emscripten_glTexCoord2f(GLfloat s, GLfloat t);
void emscripten_glClear(GLbitfield mask);
void emscripten_glColor3f(GLfloat red, GLfloat green, GLfloat blue);
void emscripten_glMatrixMode(GLenum mode);
void emscripten_glTexParameteri(GLenum target, GLenum name, GLint value);
}

namespace {

using Matrix = std::array<float, 16>;
using Vector = std::array<float, 4>;

// Where the raster position stands, in window coordinates, and the colour it was set with.
struct Raster {
    bool valid = false;
    float x = 0.0f;
    float y = 0.0f;
    float depth = 0.0f;
    std::array<float, 3> colour{};
};

// A glyph's place in its font's texture, and how glBitmap would draw it.
struct Glyph {
    GLuint texture = 0;
    int width = 0;
    int height = 0;
    float left = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    float originX = 0.0f;
    float originY = 0.0f;
    float advance = 0.0f;
};

struct Vertex {
    float x;
    float y;
    float z;
};

// What glPushAttrib saved of the groups the game pushes: the list base, the current colour,
// the capabilities it switches and the line width.
struct SavedAttributes {
    GLbitfield mask = 0;
    GLuint listBase = 0;
    std::array<float, 3> colour{};
    Raster raster;
    std::vector<std::pair<GLenum, GLboolean>> enabled;
    float lineWidth = 1.0f;
};

// The capabilities the game and this file switch on and off.
constexpr GLenum kCapabilities[] = {GL_TEXTURE_2D, GL_DEPTH_TEST, GL_BLEND, GL_ALPHA_TEST};

struct WebGlState {
    bool discarding = false;
    // Between glBegin and glEnd of a primitive left undrawn.
    bool inDiscardedPrimitive = false;
    std::array<float, 3> colour{1.0f, 1.0f, 1.0f};
    GLenum matrixMode = GL_MODELVIEW;
    float lineWidth = 1.0f;
    // Between glBegin and glEnd of lines that are drawn as quads: their vertices.
    bool collectingLines = false;
    GLenum lineMode = GL_LINES;
    std::vector<Vertex> lineVertices;
    Raster raster;
    GLuint listBase = 0;
    std::vector<SavedAttributes> attributeStack;
    GLuint nextList = 1;
    std::map<GLuint, Glyph> glyphs;
};

WebGlState& state() {
    static WebGlState s;
    return s;
}

// Column-major, as OpenGL keeps its matrices.
Vector transformed(const Matrix& m, const Vector& v) {
    Vector out{};
    for (int row = 0; row < 4; ++row) {
        out[row] = m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2] + m[12 + row] * v[3];
    }
    return out;
}

Matrix currentMatrix(GLenum which) {
    Matrix m{};
    glGetFloatv(which, m.data());
    return m;
}

// The object coordinates in clip coordinates, through the model-view and projection matrices.
Vector toClip(const Vector& object) {
    return transformed(currentMatrix(GL_PROJECTION_MATRIX),
                       transformed(currentMatrix(GL_MODELVIEW_MATRIX), object));
}

struct Viewport {
    float x;
    float y;
    float width;
    float height;
};

Viewport viewport() {
    GLint v[4] = {0, 0, 1, 1};
    glGetIntegerv(GL_VIEWPORT, v);
    return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2]),
            static_cast<float>(v[3])};
}

// Draws with both matrices the identity, so that vertices are given in clip coordinates, and puts
// everything back afterwards.
template <typename Draw> void inClipCoordinates(Draw draw) {
    for (const GLenum mode : {GL_PROJECTION, GL_MODELVIEW}) {
        emscripten_glMatrixMode(mode);
        glPushMatrix();
        glLoadIdentity();
    }
    draw();
    for (const GLenum mode : {GL_PROJECTION, GL_MODELVIEW}) {
        emscripten_glMatrixMode(mode);
        glPopMatrix();
    }
    emscripten_glMatrixMode(state().matrixMode);
}

// The pixels OpenGL gives a line of this width: the nearest whole number, at least one.
int lineWidthInPixels(float width) {
    return std::max(1, static_cast<int>(std::lround(width)));
}

bool isLineMode(GLenum mode) {
    return mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP;
}

// The segments the vertices of a glBegin of this line mode stand for, as pairs of indices.
std::vector<std::pair<std::size_t, std::size_t>> segments(GLenum mode, std::size_t count) {
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    if (mode == GL_LINES) {
        for (std::size_t i = 0; i + 1 < count; i += 2) {
            pairs.emplace_back(i, i + 1);
        }
        return pairs;
    }
    for (std::size_t i = 0; i + 1 < count; ++i) {
        pairs.emplace_back(i, i + 1);
    }
    if (mode == GL_LINE_LOOP && count > 2) {
        pairs.emplace_back(count - 1, 0);
    }
    return pairs;
}

// A wide line, as OpenGL rasterises one without smoothing: widened across its minor axis
// (up and down for a line more horizontal than vertical), `width` pixels in all. The offset is
// made in clip coordinates, scaled by w, so the quad is clipped and its depth interpolated as
// the line's would be.
void emitWideSegment(const Vector& a, const Vector& b, int width, const Viewport& view) {
    if (a[3] <= 0.0f || b[3] <= 0.0f) {
        return;
    }
    const float dx = (b[0] / b[3] - a[0] / a[3]) * view.width;
    const float dy = (b[1] / b[3] - a[1] / a[3]) * view.height;
    const bool xMajor = std::fabs(dx) >= std::fabs(dy);
    const float half = static_cast<float>(width) / 2.0f;
    const float offsetX = xMajor ? 0.0f : half * 2.0f / view.width;
    const float offsetY = xMajor ? half * 2.0f / view.height : 0.0f;
    const auto corner = [&](const Vector& v, float side) {
        emscripten_glVertex4f(v[0] + side * offsetX * v[3], v[1] + side * offsetY * v[3], v[2],
                              v[3]);
    };
    corner(a, -1.0f);
    corner(b, -1.0f);
    corner(b, 1.0f);
    corner(a, 1.0f);
}

void drawWideLines() {
    WebGlState& s = state();
    std::vector<Vector> clip;
    clip.reserve(s.lineVertices.size());
    for (const Vertex& v : s.lineVertices) {
        clip.push_back(toClip({v.x, v.y, v.z, 1.0f}));
    }
    const Viewport view = viewport();
    const int width = lineWidthInPixels(s.lineWidth);
    inClipCoordinates([&] {
        emscripten_glBegin(GL_QUADS);
        for (const auto& [first, second] : segments(s.lineMode, clip.size())) {
            emitWideSegment(clip[first], clip[second], width, view);
        }
        emscripten_glEnd();
    });
}

struct SavedGlyphState {
    GLboolean texturing;
    GLboolean alphaTest;
    GLint texture;
};

// Glyphs are drawn as textured quads over only the pixels the glyph sets (the alpha test throws
// the rest away, depth included), in the raster colour, the texture of the moment put back after.
SavedGlyphState enterGlyphState() {
    SavedGlyphState saved{glIsEnabled(GL_TEXTURE_2D), glIsEnabled(GL_ALPHA_TEST), 0};
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &saved.texture);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    const std::array<float, 3>& colour = state().raster.colour;
    emscripten_glColor3f(colour[0], colour[1], colour[2]);
    return saved;
}

void leaveGlyphState(const SavedGlyphState& saved) {
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(saved.texture));
    if (!saved.alphaTest) {
        glDisable(GL_ALPHA_TEST);
    }
    if (!saved.texturing) {
        glDisable(GL_TEXTURE_2D);
    }
    const std::array<float, 3>& colour = state().colour;
    emscripten_glColor3f(colour[0], colour[1], colour[2]);
}

// glBitmap puts the bitmap's corner at the raster position less its origin, truncated as the
// desktop's Mesa does (with its small epsilon), and moves the raster position by the advance.
void emitGlyph(const Glyph& glyph, const Viewport& view) {
    constexpr float kEpsilon = 0.0001f;
    Raster& raster = state().raster;
    const float left = std::floor(raster.x + kEpsilon - glyph.originX);
    const float bottom = std::floor(raster.y + kEpsilon - glyph.originY);
    raster.x += glyph.advance;
    if (glyph.width == 0 || glyph.height == 0) {
        return;
    }
    const auto toClipX = [&](float x) { return (x - view.x) / view.width * 2.0f - 1.0f; };
    const auto toClipY = [&](float y) { return (y - view.y) / view.height * 2.0f - 1.0f; };
    const float x0 = toClipX(left);
    const float x1 = toClipX(left + static_cast<float>(glyph.width));
    const float y0 = toClipY(bottom);
    const float y1 = toClipY(bottom + static_cast<float>(glyph.height));
    const float z = raster.depth * 2.0f - 1.0f;
    // The texture holds the glyph top row first: its top edge is t = 0.
    emscripten_glTexCoord2f(glyph.left, glyph.bottom);
    emscripten_glVertex3f(x0, y0, z);
    emscripten_glTexCoord2f(glyph.right, glyph.bottom);
    emscripten_glVertex3f(x1, y0, z);
    emscripten_glTexCoord2f(glyph.right, 0.0f);
    emscripten_glVertex3f(x1, y1, z);
    emscripten_glTexCoord2f(glyph.left, 0.0f);
    emscripten_glVertex3f(x0, y1, z);
}

} // namespace

void defineGlyphLists(unsigned firstList, const std::vector<GlyphBitmap>& glyphs) {
    // All of a font's glyphs side by side in one texture, a column apart, in white: the alpha says
    // which pixels a glyph sets. Each starts at the top row, as tall as it is.
    int width = 0;
    int height = 1;
    for (const GlyphBitmap& glyph : glyphs) {
        width += glyph.width + 1;
        height = std::max(height, glyph.height);
    }
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4, 255);
    for (std::size_t i = 3; i < rgba.size(); i += 4) {
        rgba[i] = 0;
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    int column = 0;
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphBitmap& bitmap = glyphs[i];
        for (int y = 0; y < bitmap.height; ++y) {
            for (int x = 0; x < bitmap.width; ++x) {
                const std::size_t at = (static_cast<std::size_t>(y) * width + column + x) * 4 + 3;
                rgba[at] = bitmap.pixels[static_cast<std::size_t>(y) * bitmap.width + x] ? 255 : 0;
            }
        }
        Glyph glyph;
        glyph.texture = texture;
        glyph.width = bitmap.width;
        glyph.height = bitmap.height;
        glyph.left = static_cast<float>(column) / static_cast<float>(std::max(width, 1));
        glyph.right =
            static_cast<float>(column + bitmap.width) / static_cast<float>(std::max(width, 1));
        glyph.bottom = static_cast<float>(bitmap.height) / static_cast<float>(height);
        glyph.originX = bitmap.originX;
        glyph.originY = bitmap.originY;
        glyph.advance = bitmap.advance;
        state().glyphs[firstList + static_cast<unsigned>(i)] = glyph;
        column += bitmap.width + 1;
    }
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, std::max(width, 1), height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, rgba.data());
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

void discardDrawing(bool discard) {
    state().discarding = discard;
}

extern "C" {

void glClear(GLbitfield mask) {
    if (!state().discarding) {
        emscripten_glClear(mask);
    }
}

void glTexCoord2f(GLfloat s, GLfloat t) {
    if (!state().inDiscardedPrimitive) {
        emscripten_glTexCoord2f(s, t);
    }
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
    state().colour = {red, green, blue};
    emscripten_glColor3f(red, green, blue);
}

void glMatrixMode(GLenum mode) {
    state().matrixMode = mode;
    emscripten_glMatrixMode(mode);
}

void glLineWidth(GLfloat width) {
    // WebGL would take it and draw one pixel all the same; the width is applied in glEnd.
    state().lineWidth = width;
}

void glBegin(GLenum mode) {
    WebGlState& s = state();
    s.inDiscardedPrimitive = s.discarding;
    if (s.inDiscardedPrimitive) {
        return;
    }
    s.collectingLines = isLineMode(mode) && lineWidthInPixels(s.lineWidth) > 1;
    if (s.collectingLines) {
        s.lineMode = mode;
        s.lineVertices.clear();
        return;
    }
    emscripten_glBegin(mode);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    WebGlState& s = state();
    if (s.inDiscardedPrimitive) {
        return;
    }
    if (s.collectingLines) {
        s.lineVertices.push_back({x, y, z});
        return;
    }
    emscripten_glVertex3f(x, y, z);
}

void glEnd() {
    WebGlState& s = state();
    if (s.inDiscardedPrimitive) {
        s.inDiscardedPrimitive = false;
        return;
    }
    if (s.collectingLines) {
        s.collectingLines = false;
        drawWideLines();
        return;
    }
    emscripten_glEnd();
}

GLuint glGenLists(GLsizei range) {
    WebGlState& s = state();
    const GLuint first = s.nextList;
    s.nextList += static_cast<GLuint>(range);
    return first;
}

void glListBase(GLuint base) {
    state().listBase = base;
}

void glPushAttrib(GLbitfield mask) {
    WebGlState& s = state();
    SavedAttributes saved{mask, s.listBase, s.colour, s.raster, {}, s.lineWidth};
    if (mask & GL_ENABLE_BIT) {
        for (const GLenum capability : kCapabilities) {
            saved.enabled.emplace_back(capability, glIsEnabled(capability));
        }
    }
    s.attributeStack.push_back(saved);
}

void glPopAttrib() {
    WebGlState& s = state();
    if (s.attributeStack.empty()) {
        return;
    }
    const SavedAttributes saved = s.attributeStack.back();
    s.attributeStack.pop_back();
    if (saved.mask & GL_LIST_BIT) {
        s.listBase = saved.listBase;
    }
    if (saved.mask & GL_CURRENT_BIT) {
        glColor3f(saved.colour[0], saved.colour[1], saved.colour[2]);
        s.raster = saved.raster;
    }
    if (saved.mask & GL_LINE_BIT) {
        s.lineWidth = saved.lineWidth;
    }
    for (const auto& [capability, on] : saved.enabled) {
        if (on) {
            glEnable(capability);
        } else {
            glDisable(capability);
        }
    }
}

void glRasterPos2f(GLfloat x, GLfloat y) {
    WebGlState& s = state();
    const Vector clip = toClip({x, y, 0.0f, 1.0f});
    const float w = clip[3];
    // A position outside the view volume makes the raster position invalid: nothing is drawn
    // until the next one.
    s.raster.valid =
        w > 0.0f && std::fabs(clip[0]) <= w && std::fabs(clip[1]) <= w && std::fabs(clip[2]) <= w;
    if (!s.raster.valid) {
        return;
    }
    const Viewport view = viewport();
    s.raster.x = view.x + (clip[0] / w + 1.0f) * view.width / 2.0f;
    s.raster.y = view.y + (clip[1] / w + 1.0f) * view.height / 2.0f;
    s.raster.depth = (clip[2] / w + 1.0f) / 2.0f;
    s.raster.colour = s.colour;
}

void glRasterPos2i(GLint x, GLint y) {
    glRasterPos2f(static_cast<GLfloat>(x), static_cast<GLfloat>(y));
}

void glTexParameteri(GLenum target, GLenum name, GLint value) {
    // WebGL has no GL_CLAMP, which blends the outermost half texel towards the border colour;
    // clamping to the edge texels is the nearest it has, and differs only along the images' rims.
    if ((name == GL_TEXTURE_WRAP_S || name == GL_TEXTURE_WRAP_T) && value == GL_CLAMP) {
        value = GL_CLAMP_TO_EDGE;
    }
    emscripten_glTexParameteri(target, name, value);
}

void glCallLists(GLsizei count, GLenum type, const GLvoid* lists) {
    WebGlState& s = state();
    if (type != GL_UNSIGNED_BYTE || !s.raster.valid || count <= 0 || s.discarding) {
        return;
    }
    const auto* const codes = static_cast<const GLubyte*>(lists);
    const auto first = s.glyphs.find(s.listBase + codes[0]);
    if (first == s.glyphs.end()) {
        return;
    }
    const Viewport view = viewport();
    const SavedGlyphState saved = enterGlyphState();
    glBindTexture(GL_TEXTURE_2D, first->second.texture);
    inClipCoordinates([&] {
        emscripten_glBegin(GL_QUADS);
        for (GLsizei i = 0; i < count; ++i) {
            const auto glyph = s.glyphs.find(s.listBase + codes[i]);
            if (glyph != s.glyphs.end()) {
                emitGlyph(glyph->second, view);
            }
        }
        emscripten_glEnd();
    });
    leaveGlyphState(saved);
}

} // extern "C"
