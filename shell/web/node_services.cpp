// What the replay tool asks of the machine beyond the replay platform, under node: no OpenGL
// (shell/web/null_gl.js), so no fonts and no shots; the native tool takes those.
#include "platform/platform.h"
#include "shell/common/offscreen_context.h"

OffscreenContext::OffscreenContext()
    : error_("shots need OpenGL, which only the native glimmerwake-replay has") {}

OffscreenContext::~OffscreenContext() = default;

std::vector<std::uint8_t> OffscreenContext::readRgb() const {
    return {};
}

bool buildFontBitmaps(int, unsigned) {
    return false;
}
