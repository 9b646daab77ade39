#include "shell/headless/replay_platform.h"

#include "platform/platform.h"

ReplayPlatform& replayPlatform() {
    static ReplayPlatform platform;
    return platform;
}

bool keyDown(int virtualKey) {
    return virtualKey >= 0 && virtualKey < 256 && replayPlatform().keys[virtualKey];
}

std::uint32_t tickCount() {
    return replayPlatform().tickCount();
}

void waitSince(std::uint32_t, std::uint32_t) {
    // The next call's clock already reads one frame period later.
}

std::int64_t calendarSeconds() {
    return replayPlatform().calendarSeconds();
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
