#include "tests/support/gl_fixture.h"

OffscreenContext& sharedGlContext() {
    static OffscreenContext context;
    return context;
}

Frame::Pixel Frame::at(int x, int y) const {
    const std::size_t i = (std::size_t(y) * OffscreenContext::kWidth + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

Frame readFrame() {
    return Frame{sharedGlContext().readRgb()};
}
