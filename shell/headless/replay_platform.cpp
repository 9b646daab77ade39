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

void playSound(SoundEffect) {
    // Nothing is heard: whoever wants the sounds reads them from the step's outcome.
}

void postQuitMessage(int) {
    replayPlatform().quitRequested = true;
}

const std::string& dataRoot() {
    // Shots show the images below the working directory, as the tool has always read them.
    static const std::string workingDirectory;
    return workingDirectory;
}
