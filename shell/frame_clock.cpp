#include "shell/frame_clock.h"

#include "shell/platform.h"

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

// Whole milliseconds since start-up, rounded up: a wait reckoned from a tick read at the start
// of a frame then can never end before the full period has passed.
std::int64_t ticksNow() {
    return (monotonicNs() - clockOrigin + kNsPerMs - 1) / kNsPerMs;
}

} // namespace

void initFrameClock() {
    // The default 50 us of timer slack would make every frame's sleep end late by that much.
    prctl(PR_SET_TIMERSLACK, 1UL);
}

std::uint32_t tickCount() {
    return static_cast<std::uint32_t>(ticksNow());
}

void waitSince(std::uint32_t start, std::uint32_t milliseconds) {
    const std::int64_t now = ticksNow();
    const std::uint32_t elapsed = static_cast<std::uint32_t>(now) - start;
    if (elapsed >= milliseconds) {
        return;
    }
    // Sleeping to an absolute deadline costs no CPU and cannot drift, however often a signal
    // interrupts the sleep.
    const std::int64_t deadline = clockOrigin + (now - elapsed + milliseconds) * kNsPerMs;
    const timespec until{static_cast<time_t>(deadline / 1000000000),
                         static_cast<long>(deadline % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

std::int64_t calendarSeconds() {
    return static_cast<std::int64_t>(std::time(nullptr));
}
