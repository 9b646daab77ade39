#include "tools/replay/replay_platform.h"

#include "shell/platform.h"

namespace {

// Each call stands for one frame period of the real game's clock.
constexpr std::uint32_t kMsPerCall = 10;
constexpr int kCallsPerSecond = 100;

} // namespace

ReplayPlatform& replayPlatform() {
    static ReplayPlatform platform;
    return platform;
}

bool keyDown(int virtualKey) {
    return virtualKey >= 0 && virtualKey < 256 && replayPlatform().keys[virtualKey];
}

std::uint32_t tickCount() {
    // Wraps as a real millisecond counter does; the game only ever takes differences.
    return static_cast<std::uint32_t>(replayPlatform().call) * kMsPerCall;
}

void waitSince(std::uint32_t, std::uint32_t) {
    // The next call's clock already reads one frame period later.
}

std::int64_t calendarSeconds() {
    const ReplayPlatform& platform = replayPlatform();
    if (platform.clockSet) {
        return platform.clock;
    }
    return platform.epoch + platform.call / kCallsPerSecond;
}

void swapBuffers() {
    // The frame stays in the offscreen framebuffer, where a shot reads it after the call.
}

std::vector<SoundEffect> soundsOfCall(int call) {
    const ReplayPlatform& platform = replayPlatform();
    return platform.soundsCall == call ? platform.sounds : std::vector<SoundEffect>{};
}

void playSound(SoundEffect effect) {
    ReplayPlatform& platform = replayPlatform();
    if (platform.soundsCall != platform.call) {
        platform.sounds.clear();
        platform.soundsCall = platform.call;
    }
    platform.sounds.push_back(effect);
}

void postQuitMessage(int) {
    replayPlatform().quitRequested = true;
}

const std::string& dataRoot() {
    // Shots show the images below the working directory, as the tool has always read them.
    static const std::string workingDirectory;
    return workingDirectory;
}

void ScriptFeed::enterCall(ReplayPlatform& platform, int call) {
    platform.call = call;
    for (; nextKey_ < script_.keyChanges.size() && script_.keyChanges[nextKey_].call == call;
         ++nextKey_) {
        platform.keys[script_.keyChanges[nextKey_].virtualKey] = script_.keyChanges[nextKey_].down;
    }
    for (;
         nextClock_ < script_.clockChanges.size() && script_.clockChanges[nextClock_].call == call;
         ++nextClock_) {
        platform.clockSet = true;
        platform.clock = script_.clockChanges[nextClock_].seconds;
    }
}
