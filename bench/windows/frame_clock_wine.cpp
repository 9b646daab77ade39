// The Windows frame clock on its own, as the frame function uses it: each frame reads its start
// tick, does `work` milliseconds of busy work (a stand-in for drawing) and waits out its period
// from that tick. Prints the period the frames kept (median, 99th percentile, longest) and the CPU
// time the process spent per frame, for the deadline wait (shell/win32/frame_clock.cpp) and for a
// busy-wait on GetTickCount alone, the way the game was first paced, and the step GetTickCount
// moves by, which sets the period such a busy-wait can keep.
//   glimmerwake_frame_clock_wine [FRAMES [WORK_MS]]     default 1000 frames, no work
#include "platform/platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif
#include <windows.h>

namespace {

constexpr std::uint32_t kPeriodMs = 10;

double counterMs() {
    static const double countsPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / countsPerMs;
}

double processCpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ms = [](const FILETIME& time) {
        return static_cast<double>((std::uint64_t{time.dwHighDateTime} << 32) |
                                   time.dwLowDateTime) /
               1e4;
    };
    return ms(kernel) + ms(user);
}

void busyWork(double milliseconds) {
    const double until = counterMs() + milliseconds;
    while (counterMs() < until) {
    }
}

void busyWaitOnTickCount(std::uint32_t start, std::uint32_t milliseconds) {
    while (GetTickCount() - start < milliseconds) {
    }
}

// How far GetTickCount moves when it moves: the median of 100 steps. Windows documents its
// resolution as the system timer's, typically 10 to 16 ms.
std::uint32_t tickStepMs() {
    std::vector<std::uint32_t> steps;
    std::uint32_t last = GetTickCount();
    while (steps.size() < 100) {
        const std::uint32_t now = GetTickCount();
        if (now != last) {
            steps.push_back(now - last);
            last = now;
        }
    }
    std::sort(steps.begin(), steps.end());
    return steps[steps.size() / 2];
}

template <typename Wait> void measure(const char* name, int frames, double workMs, Wait wait) {
    std::vector<double> periods;
    periods.reserve(static_cast<std::size_t>(frames));
    const double cpuBefore = processCpuMs();
    double previous = counterMs();
    for (int frame = 0; frame < frames; ++frame) {
        const std::uint32_t start = tickCount();
        busyWork(workMs);
        wait(start, kPeriodMs);
        const double now = counterMs();
        periods.push_back(now - previous);
        previous = now;
    }
    const double cpuPerFrame = (processCpuMs() - cpuBefore) / frames;
    std::sort(periods.begin(), periods.end());
    const auto at = [&](double share) {
        return periods[static_cast<std::size_t>(share * static_cast<double>(periods.size() - 1))];
    };
    std::printf("%-28s period median %.3f ms, 99th percentile %.3f ms, longest %.3f ms; "
                "CPU %.3f ms a frame (%.1f %% of a core)\n",
                name, at(0.5), at(0.99), periods.back(), cpuPerFrame,
                100.0 * cpuPerFrame / at(0.5));
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;
    const double workMs = argc > 2 ? std::atof(argv[2]) : 0.0;
    std::printf("%d frames of %u ms, %.1f ms of work in each\n", frames, kPeriodMs, workMs);
    const HANDLE highResolution = CreateWaitableTimerExW(
        nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    std::printf("high-resolution waitable timer: %s\n", highResolution != nullptr ? "yes" : "no");
    if (highResolution != nullptr) {
        CloseHandle(highResolution);
    }
    std::printf("GetTickCount moves in steps of %u ms (median of 100)\n", tickStepMs());
    measure("deadline wait (the game)", frames, workMs, waitSince);
    measure("busy-wait on GetTickCount", frames, workMs, busyWaitOnTickCount);
    return 0;
}
