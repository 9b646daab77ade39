#include "shell/common/frame_step.h"

#include "game/game.h"
#include "platform/platform.h"
#include "render/renderer.h"
#include "replay/script.h"

namespace {

Renderer& frameStepRenderer() {
    static Renderer renderer;
    return renderer;
}

} // namespace

Game& frameStepGame() {
    static Game game;
    return game;
}

CallInputs readLiveInputs() {
    CallInputs inputs;
    // The keys a script can name are exactly those the game polls.
    for (const ScriptKey& key : kScriptKeys) {
        inputs.keys[key.virtualKey] = keyDown(key.virtualKey);
    }
    inputs.seconds = calendarSeconds();
    return inputs;
}

void runFrame(const CallInputs& inputs, FramePace pace) {
    const std::uint32_t frameStart = tickCount();
    Game& game = frameStepGame();
    const CallOutcome outcome = game.advance(inputs);
    frameStepRenderer().drawFrame(game, outcome.picture);
    swapBuffers();
    for (const SoundEffect effect : outcome.sounds) {
        playSound(effect);
    }
    if (outcome.quit) {
        postQuitMessage(0);
    }
    // No catching up: a call that already took its period returns at once.
    if (pace == FramePace::Wait) {
        waitSince(frameStart, kFramePeriodMs);
    }
}

int FrameStep() {
    runFrame(readLiveInputs(), FramePace::Wait);
    return 0;
}

void frameStepResize(int width, int height) {
    frameStepRenderer().resize(width, height);
}
