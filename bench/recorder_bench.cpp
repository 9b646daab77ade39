// What recording adds to a frame: the work `Recorder::beginCall` does on the game's thread before
// every call of the frame function (compare the call's inputs with the call before, append the
// lines of any change, hand the text to the writer thread when the second changes). The inputs
// are whatever the benchmark sets; the writer thread writes to a real file.
#include "platform/virtual_keys.h"
#include "replay/script_feed.h"
#include "shell/common/recorder.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string scratchFile() {
    return "/tmp/glimmerwake-recorder-bench-" + std::to_string(getpid()) + ".rec";
}

// Records `state.range(0)`: 0 a quiet game (nothing changes but the second, every 100 calls),
// 1 one key pressed or let go every call, 2 every key changing every call, 3 a new second (and
// with it a hand-over to the writer) every call.
void recordCall(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    ScriptedMachine machine;
    machine.epoch = 1781000000;
    const std::string path = scratchFile();
    Recorder recorder;
    recorder.start(path);
    int call = 0;
    for (auto _ : state) {
        machine.call = call;
        if (kind == 1) {
            machine.keys[KeySpace] = call % 2 == 0;
        } else if (kind == 2) {
            for (const int key : {KeyLeft, KeyRight, KeyUp, KeyDown, KeySpace, KeyReturn, KeyEscape,
                                  KeyF2, KeyF3, KeyF4, Key1, Key2, Key3}) {
                machine.keys[key] = call % 2 == 0;
            }
        } else if (kind == 3) {
            machine.clockSet = true;
            machine.clock = 1781000000 + call;
        }
        recorder.beginCall(call, machine.inputs());
        ++call;
    }
    recorder.finish(call);
    std::remove(path.c_str());
}

BENCHMARK(recordCall)->Arg(0)->Arg(1)->Arg(2)->Arg(3);

} // namespace
