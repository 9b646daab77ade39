#include "tests/support/test_platform.h"

#include "platform/platform.h"

namespace test_platform {

State& state() {
    static State s;
    return s;
}

void reset() {
    state() = State{};
}

void press(int virtualKey) {
    state().keys[virtualKey & 0xFF] = true;
}

void release(int virtualKey) {
    state().keys[virtualKey & 0xFF] = false;
}

} // namespace test_platform

bool keyDown(int virtualKey) {
    return virtualKey >= 0 && virtualKey < 256 && test_platform::state().keys[virtualKey];
}

std::uint32_t tickCount() {
    return test_platform::state().tick;
}

void waitSince(std::uint32_t start, std::uint32_t milliseconds) {
    test_platform::State& s = test_platform::state();
    ++s.waits;
    if (s.tick - start < milliseconds) {
        s.tick = start + milliseconds;
    }
}

std::int64_t calendarSeconds() {
    return test_platform::state().calendar;
}

void swapBuffers() {
    ++test_platform::state().swaps;
}

void postQuitMessage(int exitCode) {
    ++test_platform::state().quitRequests;
    test_platform::state().lastQuitCode = exitCode;
}

const std::string& dataRoot() {
    // The data tests run from the top of the source tree.
    static const std::string workingDirectory;
    return workingDirectory;
}

void playSound(SoundEffect effect) {
    test_platform::state().sounds.push_back(effect);
}
