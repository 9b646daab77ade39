// Glimmerwake on the desktop: open the window, call the frame function once per pass of a loop
// that never blocks, and close everything again.
#include "game/frame_step.h"
#include "game/game.h"
#include "shell/frame_clock.h"
#include "shell/pad_input.h"
#include "shell/sdl_backend.h"

int main(int, char**) {
    initFrameClock();
    // The result is not needed: a failure has shown its box and posted the quit, which ends the
    // loop below before its first frame.
    openGameWindow(1024, 768, 16);
    startPads();
    while (runMessagePass()) {
        pollPads(frameStepGame().gameState == GameState::Playing);
        FrameStep();
    }
    stopPads();
    closeGameWindow();
    // A start-up that failed must not look like a game that ended well.
    return shell().fatalErrorShown ? 1 : shell().quitCode;
}
