#include "shell/sdl/frame_clock.h"

#include "platform/platform.h"

#include <cerrno>
#include <ctime>
#include <sys/prctl.h>

namespace {

constexpr std::int64_t kNsPerMs = 1000000;

std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

const std::int64_t clockOrigin = monotonicNs();

// The tick last handed out, and the very moment it was read. A frame's wait is reckoned from its
// own start, and the start is the last tick read before the wait, so the wait can end exactly
// one period after it: no earlier, and not a millisecond later either.
std::uint32_t lastTick = 0;
std::int64_t lastTickNs = clockOrigin;

void sleepUntil(std::int64_t deadline) {
    const timespec until{static_cast<time_t>(deadline / 1000000000),
                         static_cast<long>(deadline % 1000000000)};
    // Sleeping to an absolute deadline costs no CPU and cannot drift, however often a signal
    // interrupts the sleep.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

} // namespace

void initFrameClock() {
    // The default 50 us of timer slack would make every frame's sleep end late by that much.
    prctl(PR_SET_TIMERSLACK, 1UL);
}

std::uint32_t tickCount() {
    lastTickNs = monotonicNs();
    lastTick = static_cast<std::uint32_t>((lastTickNs - clockOrigin) / kNsPerMs);
    return lastTick;
}

void waitSince(std::uint32_t start, std::uint32_t milliseconds) {
    const std::int64_t now = monotonicNs();
    std::int64_t startNs = lastTickNs;
    if (start != lastTick) {
        // An older tick is known only to the millisecond: take it at that millisecond's end.
        const std::int64_t nowTicks = (now - clockOrigin) / kNsPerMs;
        const std::uint32_t ticksAgo = static_cast<std::uint32_t>(nowTicks) - start;
        startNs = clockOrigin + (nowTicks - ticksAgo + 1) * kNsPerMs;
    }
    const std::int64_t deadline = startNs + std::int64_t{milliseconds} * kNsPerMs;
    if (now < deadline) {
        sleepUntil(deadline);
    }
}

std::int64_t calendarSeconds() {
    return static_cast<std::int64_t>(std::time(nullptr));
}
