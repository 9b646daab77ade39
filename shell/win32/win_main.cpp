// Glimmerwake on Windows: open the window, then a loop that never blocks, handles at most one
// message per pass and calls the frame function once per pass, and close everything again.
#include "platform/platform.h"
#include "shell/common/frame_step.h"
#include "shell/common/music_cues.h"
#include "shell/common/sound.h"
#include "shell/win32/game_window.h"

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
    startSound(dataRoot() + "Data/Sounds", false, true);
    int quitCode = 0;
    while (runMessagePass(quitCode)) {
        pollMuteKey();
        pollMusicKey();
        FrameStep();
        cueMusic(musicThemeFor(frameStepGame()));
    }
    stopSound();
    closeGameWindow();
    // A start-up that failed must not look like a game that ended well.
    return shell().fatalErrorShown ? kExitFatalError : quitCode;
}
