#include "shell/common/replay_mark.h"

#include "render/gl.h"
#include "render/text.h"

namespace {

// In window pixels from the bottom-left corner, in the 1024 x 768 picture the game draws.
constexpr float kPictureWidth = 1024.0f;
constexpr float kPictureHeight = 768.0f;
constexpr float kMarkLeft = 16.0f;
constexpr float kMarkBaseline = 490.0f;

} // namespace

void drawReplayMark() {
    // The game leans on state its last frame left (the menu's backdrop takes the last text's
    // colour and transform), so everything is saved and restored.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, kPictureWidth, 0.0, kPictureHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.6f, 0.6f, 0.6f);
    glRasterPos2f(kMarkLeft, kMarkBaseline);
    drawText(FontSmall, "REPLAY");
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
