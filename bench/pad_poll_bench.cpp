// What the pads cost a frame: one `pollPads` (SDL reads its devices, the pads plugged in or
// pulled out are found, every mapped control is read) with no pad and with several virtual ones,
// and one `padKeyDown`, which every key poll of the game now makes. In a program of its own: it
// needs SDL's joystick layer and none of the game.
#include "platform/virtual_keys.h"
#include "shell/sdl/pad_input.h"
#include "tests/support/virtual_pad.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

void pollPadsEachFrame(benchmark::State& state) {
    startPads();
    {
        std::vector<std::unique_ptr<VirtualPad>> plugged;
        for (int pad = 0; pad < state.range(0); ++pad) {
            plugged.push_back(std::make_unique<VirtualPad>());
            plugged.back()->press(SDL_CONTROLLER_BUTTON_A);
            plugged.back()->setAxis(SDL_CONTROLLER_AXIS_LEFTX, 20000);
        }
        for (auto _ : state) {
            pollPads(true);
        }
        state.counters["space"] = padKeyDown(KeySpace) ? 1 : 0;
    }
    stopPads();
}
BENCHMARK(pollPadsEachFrame)->Arg(0)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

// A joystick SDL has no mapping for (a flight stick, say) is no pad, and must cost next to nothing.
void pollPadsBesideAnUnmappedJoystick(benchmark::State& state) {
    startPads();
    {
        VirtualPad joystick("Glimmerwake unmapped stick", false);
        for (auto _ : state) {
            pollPads(true);
        }
    }
    stopPads();
}
BENCHMARK(pollPadsBesideAnUnmappedJoystick)->Unit(benchmark::kMicrosecond);

void padKeyDownOneKey(benchmark::State& state) {
    startPads();
    {
        VirtualPad pad;
        pollPads(true);
        for (auto _ : state) {
            benchmark::DoNotOptimize(padKeyDown(KeyLeft));
        }
    }
    stopPads();
}
BENCHMARK(padKeyDownOneKey);

} // namespace
