// Glimmerwake on the desktop: open the window, call the frame function once per pass of a loop
// that never blocks, and close everything again.
#include "game/frame_step.h"
#include "shell/frame_clock.h"
#include "shell/sdl_backend.h"
#include "shell/sound.h"

#include <cstring>

namespace {

bool startsMuted(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--mute") == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    initFrameClock();
    // The result is not needed: a failure has shown its box and posted the quit, which ends the
    // loop below before its first frame.
    openGameWindow(1024, 768, 16);
    startSound("Data/Sounds", startsMuted(argc, argv));
    while (runMessagePass()) {
        pollMuteKey();
        FrameStep();
    }
    stopSound();
    closeGameWindow();
    // A start-up that failed must not look like a game that ended well.
    return shell().fatalErrorShown ? 1 : shell().quitCode;
}
