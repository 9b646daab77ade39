// The game's bitmap fonts from GDI: bold "Courier New" at the asked character height, compiled
// into display lists by WGL on the device context of the current rendering context (the game
// window's, or the replay tool's).
#include "platform/platform.h"

#include <windows.h>
// After <windows.h>, whose calling conventions it uses.
#include <GL/gl.h>

namespace {

constexpr int kFirstChar = 32;
constexpr int kCharCount = 96;

// Some WGL implementations compile the blank space as a glBitmap without any bitmap, which a
// driver may refuse inside a display list, leaving a space that does not move the raster
// position. The space is compiled once more as one empty pixel that advances by its width.
void recompileSpace(HDC deviceContext, unsigned list) {
    GLYPHMETRICS metrics{};
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    if (GetGlyphOutlineA(deviceContext, ' ', GGO_METRICS, &metrics, 0, nullptr, &identity) ==
        GDI_ERROR) {
        return;
    }
    static const GLubyte kEmptyRow = 0;
    glNewList(list, GL_COMPILE);
    glBitmap(1, 1, 0.0f, 0.0f, static_cast<GLfloat>(metrics.gmCellIncX),
             static_cast<GLfloat>(metrics.gmCellIncY), &kEmptyRow);
    glEndList();
}

} // namespace

bool buildFontBitmaps(int pixelHeight, unsigned firstList) {
    const HDC deviceContext = wglGetCurrentDC();
    if (deviceContext == nullptr) {
        return false;
    }
    // A negative height asks for that character height, not that cell height.
    const HFONT font = CreateFontA(-pixelHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                   ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   ANTIALIASED_QUALITY, FF_DONTCARE | DEFAULT_PITCH, "Courier New");
    if (font == nullptr) {
        return false;
    }
    const HGDIOBJ previous = SelectObject(deviceContext, font);
    const bool built =
        wglUseFontBitmapsA(deviceContext, kFirstChar, kCharCount, firstList) != FALSE;
    if (built) {
        recompileSpace(deviceContext, firstList);
    }
    SelectObject(deviceContext, previous);
    DeleteObject(font);
    return built;
}
