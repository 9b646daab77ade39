#include "render/help_text.h"

#include "render/gl.h"
#include "render/text.h"

void drawHelpText() {
    struct Line {
        float y;
        const char* text;
    };
    static const Line lines[] = {
        {0.0f, "Keyboard:"},
        {-0.1f, "Left - move left"},
        {-0.21f, "Right - move right"},
        {-0.32f, "Spacebar - shoot"},
        {-0.43f, "Number keys to switch weapon"},
    };
    glColor3f(1.0f, 0.0f, 0.0f);
    for (const Line& line : lines) {
        glRasterPos2f(-0.9f, line.y);
        drawText(FontSmall, "%s", line.text);
    }
}
