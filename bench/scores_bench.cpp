// What the high scores cost. `recordEveryGame`: the in-memory recording every game now has, on the
// game's thread before every call (the keys and the calendar noted, the lines of any change
// appended), over the pilot's keys of a whole level. `verifyWholeLevel`: proving a whole level's
// score, the recording replayed with the rules alone, as the score keeper's thread does.
// `tenMinuteRecording`: the size of a recording of ten minutes of play.
#include "game/call_inputs.h"
#include "replay/script.h"
#include "replay/script_feed.h"
#include "replay/verify.h"
#include "shell/common/recorder.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string wholeLevel() {
    std::ifstream in(std::string(GLIMMERWAKE_SOURCE_DIR) + "/tests/tools/whole_level_1.replay");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The inputs of every call of the pilot's whole level. `realClock`: a desktop's calendar, whose
// seconds come a little off the replay's 100 calls (a clock line at every second, as in a real
// recording); otherwise the replay's own (a daily run: no clock line at all).
std::vector<CallInputs> pilotCalls(bool realClock) {
    std::istringstream in(wholeLevel());
    ScriptError error;
    const std::optional<ReplayScript> script = parseScript(in, error);
    std::vector<CallInputs> calls;
    ScriptFeed feed(*script);
    ScriptedMachine machine;
    machine.epoch = script->epoch;
    for (int call = 0; call < script->calls; ++call) {
        feed.enterCall(machine, call);
        CallInputs inputs;
        std::copy(std::begin(machine.keys), std::end(machine.keys), std::begin(inputs.keys));
        // 99 frames a second: a real frame takes its 10 ms and a little more.
        inputs.seconds = realClock ? script->epoch + call / 99 : machine.calendarSeconds();
        calls.push_back(inputs);
    }
    return calls;
}

void recordEveryGame(benchmark::State& state) {
    const std::vector<CallInputs> calls = pilotCalls(true);
    RecordingLines lines;
    std::string script;
    std::size_t next = 0;
    for (auto _ : state) {
        if (next == calls.size()) {
            state.PauseTiming();
            lines = RecordingLines{};
            script.clear();
            next = 0;
            state.ResumeTiming();
        }
        lines.noteCall(static_cast<int>(next), calls[next], script);
        ++next;
    }
    benchmark::DoNotOptimize(script.data());
}
BENCHMARK(recordEveryGame);

void verifyWholeLevel(benchmark::State& state) {
    const std::string script = wholeLevel();
    for (auto _ : state) {
        Verification out;
        std::string error;
        verifyRecording(script, VerifyLimits{}, out, error);
        benchmark::DoNotOptimize(out.games.data());
    }
    state.counters["calls"] = 10456;
}
BENCHMARK(verifyWholeLevel)->Unit(benchmark::kMillisecond);

// Ten minutes: the pilot's whole level (104 s of busy steering and firing) six times over, with
// the desktop's clock lines.
void tenMinuteRecording(benchmark::State& state) {
    const std::vector<CallInputs> level = pilotCalls(true);
    constexpr int kTenMinutes = 60000;
    std::size_t bytes = 0;
    for (auto _ : state) {
        RecordingLines lines;
        std::string script;
        for (int call = 0; call < kTenMinutes; ++call) {
            CallInputs inputs = level[static_cast<std::size_t>(call) % level.size()];
            inputs.seconds = level[0].seconds + call / 99;
            lines.noteCall(call, inputs, script);
        }
        RecordingLines::noteEnd(kTenMinutes, script);
        bytes = script.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(tenMinuteRecording)->Unit(benchmark::kMillisecond);

} // namespace
