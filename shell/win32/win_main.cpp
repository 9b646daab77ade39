// Glimmerwake on Windows: open the window, then a loop that never blocks, handles at most one
// message per pass and calls the frame function once per pass, and close everything again.
#include "game/frame_step.h"
#include "game/game.h"
#include "platform/platform.h"
#include "shell/common/sound.h"
#include "shell/win32/game_window.h"
#include "shell/win32/xinput_pads.h"

namespace {

constexpr int kExitFatalError = 1;

// Removes at most one pending message and dispatches it. False when it was the quit message,
// whose exit code is then in `quitCode`.
bool runMessagePass(int& quitCode) {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        return true;
    }
    if (message.message == WM_QUIT) {
        quitCode = static_cast<int>(message.wParam);
        return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    shell().instance = instance;
    // The result is not needed: a failure has shown its box and posted the quit, which the loop
    // removes before long; frames drawn until then, without a context, have no effect.
    openGameWindow(1024, 768, 16);
    // The sounds lie beside the images, wherever those were found.
    startSound(dataRoot() + "Data/Sounds", false);
    startPads();
    int quitCode = 0;
    for (;;) {
        // Each frame's Escape is settled before the pass's message, as in the Linux game's loop:
        // the frame after the focus left is the one that pauses.
        shell().focusPause.beginFrame(frameStepGame());
        if (!runMessagePass(quitCode)) {
            break;
        }
        pollPads(frameStepGame().gameState == GameState::Playing);
        pollMuteKey();
        FrameStep();
    }
    stopPads();
    stopSound();
    closeGameWindow();
    // A start-up that failed must not look like a game that ended well.
    return shell().fatalErrorShown ? kExitFatalError : quitCode;
}
