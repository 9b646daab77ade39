#include "render/text.h"

#include "platform/platform.h"
#include "render/gl.h"

#include <cstdarg>
#include <cstdio>

namespace {

constexpr int kFirstChar = 32;
constexpr int kCharCount = 96;
constexpr int kTextBuffer = 256;

unsigned fontLists[3] = {0, 0, 0};

} // namespace

unsigned buildFont(int height) {
    const GLuint first = glGenLists(kCharCount);
    if (first == 0) {
        return 0;
    }
    buildFontBitmaps(height, first);
    return first;
}

void setFontLists(unsigned normal, unsigned small, unsigned large) {
    fontLists[FontNormal] = normal;
    fontLists[FontSmall] = small;
    fontLists[FontLarge] = large;
}

int printableText(const char* text, char* out) {
    int length = 0;
    for (const char* c = text; *c != '\0' && length < kTextBuffer - 1; ++c) {
        const unsigned char code = static_cast<unsigned char>(*c);
        // A code past the 96 lists of this font would land in another font's lists.
        if (code >= kFirstChar && code < kFirstChar + kCharCount) {
            out[length++] = static_cast<char>(code);
        }
    }
    out[length] = '\0';
    return length;
}

void drawText(Font font, const char* format, ...) {
    if (format == nullptr) {
        return;
    }
    char formatted[kTextBuffer];
    va_list args;
    va_start(args, format);
    std::vsnprintf(formatted, sizeof formatted, format, args);
    va_end(args);

    char text[kTextBuffer];
    const int length = printableText(formatted, text);
    const unsigned first = fontLists[font];
    if (length == 0 || first == 0) {
        return;
    }
    glPushAttrib(GL_LIST_BIT);
    glListBase(first - kFirstChar);
    glCallLists(length, GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}
