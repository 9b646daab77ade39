#pragma once

#include "replay/script_feed.h"

// The platform of the programs without a window: the keys are a script's, the clocks count
// calls, the waits return at once, nothing is shown or heard and the images are read below the
// working directory. The program moves it from call to call.
struct ReplayPlatform : ScriptedMachine {
    bool quitRequested = false;
};

ReplayPlatform& replayPlatform();
