// The replay tool's shots on Windows. There is no display-less OpenGL here as Mesa's surfaceless
// EGL is on Linux, so a script with a shot is refused (exit status 3) and trace-only scripts run
// as everywhere else.
#include "shell/common/offscreen_context.h"

OffscreenContext::OffscreenContext() {
    error_ = "shots are not taken on Windows";
}

OffscreenContext::~OffscreenContext() = default;

std::vector<std::uint8_t> OffscreenContext::readRgb() const {
    return {};
}
