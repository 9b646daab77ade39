#pragma once

#include "shell/common/offscreen_context.h"

#include <cstdint>
#include <vector>

// One offscreen OpenGL context for the whole test run, made on first use and kept current.
OffscreenContext& sharedGlContext();

// An RGB frame read back from the shared context, top row first.
struct Frame {
    std::vector<std::uint8_t> rgb;

    struct Pixel {
        int r, g, b;
    };
    Pixel at(int x, int y) const;
    // Pixels in the rectangle whose colour passes the test.
    template <typename Test> int count(int x0, int y0, int x1, int y1, Test test) const {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                n += test(at(x, y)) ? 1 : 0;
            }
        }
        return n;
    }
};

Frame readFrame();
