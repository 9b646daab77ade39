// The frame clock on Windows. tickCount is GetTickCount; a frame's wait ends one period after the
// very moment its start tick was read, measured on the performance counter. The wait sleeps on a
// high-resolution waitable timer (or, where there is none, on one with the system timer at 1 ms)
// to a little before the deadline and spins only for the rest, so it costs almost no CPU.
#include "platform/platform.h"

#include <array>
// <windows.h> comes first: the timer resolution calls of <mmsystem.h> use its types.
#include <windows.h>
// (kept apart so that the two are never sorted)
#include <mmsystem.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

// How early the timer is asked to wake before the deadline: what it may oversleep by. The rest
// of the wait is spun on the performance counter.
constexpr double kSpinMs = 1.0;
constexpr std::int64_t kHundredNsPerMs = 10000;

// A tick handed out, and the counter at the moment it was read.
struct TickReading {
    std::uint32_t tick = 0;
    std::int64_t counter = 0;
};

class Clock {
  public:
    Clock() {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        countsPerMs_ = static_cast<double>(frequency.QuadPart) / 1000.0;
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                        TIMER_ALL_ACCESS);
        if (timer_ == nullptr) {
            // Older systems: a plain timer, whose wake-up follows the system timer's period.
            timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
            raisedTimerResolution_ = timeBeginPeriod(1) == TIMERR_NOERROR;
        }
    }
    ~Clock() {
        if (raisedTimerResolution_) {
            timeEndPeriod(1);
        }
        if (timer_ != nullptr) {
            CloseHandle(timer_);
        }
    }
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;

    std::uint32_t read() {
        next_ = (next_ + 1) % readings_.size();
        readings_[next_] = {GetTickCount(), now()};
        return readings_[next_].tick;
    }

    void waitSince(std::uint32_t start, std::uint32_t milliseconds) {
        const std::int64_t deadline = startCounter(start) + toCounts(milliseconds);
        const std::int64_t spinCounts = toCounts(kSpinMs);
        for (std::int64_t left = deadline - now(); left > 0; left = deadline - now()) {
            if (left > spinCounts && timer_ != nullptr) {
                sleepFor(left - spinCounts);
            } else {
                YieldProcessor();
            }
        }
    }

  private:
    static std::int64_t now() {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        return counter.QuadPart;
    }

    std::int64_t toCounts(double milliseconds) const {
        return static_cast<std::int64_t>(milliseconds * countsPerMs_);
    }

    // The counter when `start` was read. The frame's own start is among the last few readings
    // (the menu reads one more for its own wait). An older tick is known only to the millisecond,
    // and taken at that millisecond's end, so that the wait is never short.
    std::int64_t startCounter(std::uint32_t start) const {
        for (std::size_t back = 0; back < readings_.size(); ++back) {
            const TickReading& reading =
                readings_[(next_ + readings_.size() - back) % readings_.size()];
            if (reading.counter != 0 && reading.tick == start) {
                return reading.counter;
            }
        }
        const std::uint32_t ticksAgo = GetTickCount() - start;
        return now() - toCounts(static_cast<double>(ticksAgo) - 1.0);
    }

    void sleepFor(std::int64_t counts) const {
        // Negative due times are relative, in units of 100 ns.
        LARGE_INTEGER due;
        due.QuadPart = -static_cast<LONGLONG>(static_cast<double>(counts) / countsPerMs_ *
                                              static_cast<double>(kHundredNsPerMs));
        if (due.QuadPart < 0 && SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
            WaitForSingleObject(timer_, INFINITE);
        }
    }

    double countsPerMs_ = 1.0;
    HANDLE timer_ = nullptr;
    bool raisedTimerResolution_ = false;
    std::array<TickReading, 4> readings_{};
    std::size_t next_ = 0;
};

Clock& clock() {
    static Clock instance;
    return instance;
}

} // namespace

std::uint32_t tickCount() {
    return clock().read();
}

void waitSince(std::uint32_t start, std::uint32_t milliseconds) {
    clock().waitSince(start, milliseconds);
}
