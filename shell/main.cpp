// Glimmerwake on the desktop: open the window, call the frame function once per pass of a loop
// that never blocks, and close everything again.
#include "game/frame_step.h"
#include "shell/command_line.h"
#include "shell/frame_clock.h"
#include "shell/sdl_backend.h"
#include "shell/session.h"

#include <cstdio>

int main(int argc, char** argv) {
    const CommandLine commandLine = parseCommandLine(argc, argv);
    if (!commandLine.usageError.empty()) {
        std::fprintf(stderr, "glimmerwake: %s\n%s", commandLine.usageError.c_str(),
                     kCommandLineUsage);
        return 2;
    }
    if (!startSession(commandLine)) {
        return 2;
    }
    initFrameClock();
    // The result is not needed: a failure has shown its box and posted the quit, which ends the
    // loop below before its first frame.
    openGameWindow(1024, 768, 16);
    while (runMessagePass()) {
        sessionBeforeCall();
        FrameStep();
        sessionAfterCall();
    }
    finishSession();
    closeGameWindow();
    // A start-up that failed must not look like a game that ended well.
    return shell().fatalErrorShown ? 1 : shell().quitCode;
}
