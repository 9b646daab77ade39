// The Windows frame clock: a frame never ends before its period is up, whether its start is the
// last tick read or an older one, and the wait sleeps rather than spins.
#include "platform/platform.h"

#include <chrono>
#include <gtest/gtest.h>
#include <windows.h>

namespace {

using Clock = std::chrono::steady_clock;

double processCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& time) {
        return static_cast<double>((std::uint64_t{time.dwHighDateTime} << 32) |
                                   time.dwLowDateTime) /
               1e7;
    };
    return seconds(kernel) + seconds(user);
}

TEST(Win32FrameClock, AWaitNeverEndsBeforeItsPeriodFromTheMomentItsStartWasRead) {
    for (int frame = 0; frame < 30; ++frame) {
        const Clock::time_point began = Clock::now();
        const std::uint32_t start = tickCount();
        waitSince(start, 10);
        EXPECT_GE(Clock::now() - began, std::chrono::milliseconds(10)) << "frame " << frame;
    }
}

TEST(Win32FrameClock, AnOlderStartStillGetsItsWholePeriod) {
    for (int frame = 0; frame < 10; ++frame) {
        const Clock::time_point began = Clock::now();
        const std::uint32_t start = tickCount();
        // The menu reads a tick of its own for its wait, which makes `start` the older one.
        waitSince(tickCount(), 3);
        waitSince(start, 10);
        EXPECT_GE(Clock::now() - began, std::chrono::milliseconds(10)) << "frame " << frame;
    }
}

TEST(Win32FrameClock, AStartOlderThanEveryReadingKeptIsNeverShort) {
    const Clock::time_point began = Clock::now();
    const std::uint32_t start = tickCount();
    for (int reading = 0; reading < 8; ++reading) {
        tickCount();
    }
    waitSince(start, 20);
    EXPECT_GE(Clock::now() - began, std::chrono::milliseconds(20));
}

TEST(Win32FrameClock, ATickAlreadyPastItsPeriodDoesNotWait) {
    const std::uint32_t start = tickCount();
    waitSince(start, 20);
    const Clock::time_point began = Clock::now();
    waitSince(start, 10);
    EXPECT_LT(Clock::now() - began, std::chrono::seconds(1));
}

// A busy-wait would spend the whole of every period; the deadline wait spends a small part. The
// bound is loose on purpose: a loaded machine may wake the process late, never make it spin.
TEST(Win32FrameClock, WaitingAFrameCostsFarLessCpuThanTheFrame) {
    constexpr int kFrames = 50;
    const double cpuBefore = processCpuSeconds();
    const Clock::time_point began = Clock::now();
    for (int frame = 0; frame < kFrames; ++frame) {
        waitSince(tickCount(), 10);
    }
    const double wall = std::chrono::duration<double>(Clock::now() - began).count();
    EXPECT_LT(processCpuSeconds() - cpuBefore, wall / 2);
}

} // namespace
