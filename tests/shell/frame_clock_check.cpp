// The desktop's frame clock, on its own: a frame never ends before its 10 ms are up, whether its
// start is the last tick read or an older one.
#include "platform/platform.h"
#include "shell/sdl/frame_clock.h"

#include <chrono>
#include <gtest/gtest.h>

namespace {

using Clock = std::chrono::steady_clock;

TEST(FrameClock, AWaitNeverEndsBeforeItsPeriodFromTheMomentItsStartWasRead) {
    initFrameClock();
    for (int frame = 0; frame < 30; ++frame) {
        const Clock::time_point began = Clock::now();
        const std::uint32_t start = tickCount();
        waitSince(start, 10);
        EXPECT_GE(Clock::now() - began, std::chrono::milliseconds(10)) << "frame " << frame;
    }
}

TEST(FrameClock, AnOlderStartIsTakenAtTheEndOfItsMillisecond) {
    initFrameClock();
    for (int frame = 0; frame < 10; ++frame) {
        const Clock::time_point began = Clock::now();
        const std::uint32_t start = tickCount();
        // A later reading, as the menu takes for its own wait, makes `start` the older tick.
        waitSince(tickCount(), 3);
        waitSince(start, 10);
        EXPECT_GE(Clock::now() - began, std::chrono::milliseconds(10)) << "frame " << frame;
    }
}

TEST(FrameClock, ATickAlreadyPastItsPeriodDoesNotWait) {
    initFrameClock();
    const std::uint32_t start = tickCount();
    waitSince(start, 20);
    const Clock::time_point began = Clock::now();
    waitSince(start, 10);
    EXPECT_LT(Clock::now() - began, std::chrono::seconds(5));
}

} // namespace
