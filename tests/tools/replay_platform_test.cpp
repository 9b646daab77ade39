#include "platform/platform.h"
#include "platform/virtual_keys.h"
#include "shell/headless/replay_platform.h"

#include <gtest/gtest.h>

TEST(ReplayPlatform, TheClocksCountCalls) {
    ReplayPlatform& platform = replayPlatform();
    platform.epoch = 1781000000;
    const struct {
        int call;
        std::uint32_t tick;
        std::int64_t calendar;
    } readings[] = {
        {0, 0, 1781000000},
        {1, 10, 1781000000},
        {99, 990, 1781000000},
        {100, 1000, 1781000001},
        {250, 2500, 1781000002},
        // The tick clock wraps as a 32-bit millisecond counter does.
        {2147483647, 4294967286u, 1781000000 + 21474836},
    };
    for (const auto& reading : readings) {
        SCOPED_TRACE(reading.call);
        platform.call = reading.call;
        EXPECT_EQ(tickCount(), reading.tick);
        EXPECT_EQ(calendarSeconds(), reading.calendar);
        // The next call's clock is already a frame period on: waiting has nothing to wait for.
        waitSince(tickCount(), 10);
        EXPECT_EQ(tickCount(), reading.tick);
    }
}

TEST(ReplayPlatform, KeysAreTheScriptsAndTheQuitRequestIsKept) {
    ReplayPlatform& platform = replayPlatform();
    platform.keys[KeyLeft] = true;
    EXPECT_TRUE(keyDown(KeyLeft));
    EXPECT_FALSE(keyDown(KeyRight));
    EXPECT_FALSE(keyDown(-1));
    EXPECT_FALSE(keyDown(256));
    EXPECT_FALSE(platform.quitRequested);
    postQuitMessage(0);
    EXPECT_TRUE(platform.quitRequested);
}

TEST(ReplayPlatform, AClockLineStopsTheCalendarAtItsReading) {
    ReplayPlatform& platform = replayPlatform();
    platform.epoch = 500;
    platform.call = 250;
    EXPECT_EQ(calendarSeconds(), 502);
    platform.clockSet = true;
    platform.clock = 499;
    EXPECT_EQ(calendarSeconds(), 499);
    // It no longer runs on by itself.
    platform.call = 1000;
    EXPECT_EQ(calendarSeconds(), 499);
    platform.clockSet = false;
}
