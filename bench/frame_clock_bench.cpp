// The desktop's frame clock on its own (shell/sdl/frame_clock.cpp, in a program of its own since
// the other benchmarks run over the test platform's clock). Each iteration is a frame that does
// nothing but wait out its period from a tick read at its start, as the frame function does: the
// real time per iteration is the period the game runs at, the CPU time what the wait costs.
#include "platform/platform.h"
#include "shell/common/frame_step.h"
#include "shell/sdl/frame_clock.h"

#include <benchmark/benchmark.h>

namespace {

void frameWait(benchmark::State& state) {
    initFrameClock();
    for (auto _ : state) {
        const std::uint32_t frameStart = tickCount();
        waitSince(frameStart, kFramePeriodMs);
    }
}
BENCHMARK(frameWait)->UseRealTime()->MinTime(2.0)->Unit(benchmark::kMillisecond);

} // namespace
