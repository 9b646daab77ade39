#include "replay/script_feed.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr std::uint32_t kMsPerCall = 10;
constexpr int kCallsPerSecond = 100;

} // namespace

std::int64_t ScriptedMachine::calendarSeconds() const {
    if (clockSet) {
        return clock;
    }
    return epoch + call / kCallsPerSecond;
}

std::uint32_t ScriptedMachine::tickCount() const {
    // Wraps as a real millisecond counter does; the game only ever takes differences.
    return static_cast<std::uint32_t>(call) * kMsPerCall;
}

CallInputs ScriptedMachine::inputs() const {
    CallInputs now;
    std::copy(std::begin(keys), std::end(keys), std::begin(now.keys));
    now.seconds = calendarSeconds();
    return now;
}

void ScriptFeed::enterCall(ScriptedMachine& machine, int call) {
    machine.call = call;
    for (; nextKey_ < script_.keyChanges.size() && script_.keyChanges[nextKey_].call == call;
         ++nextKey_) {
        machine.keys[script_.keyChanges[nextKey_].virtualKey] = script_.keyChanges[nextKey_].down;
    }
    for (;
         nextClock_ < script_.clockChanges.size() && script_.clockChanges[nextClock_].call == call;
         ++nextClock_) {
        machine.clockSet = true;
        machine.clock = script_.clockChanges[nextClock_].seconds;
    }
}
