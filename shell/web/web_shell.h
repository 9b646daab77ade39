#pragma once

#include "replay/game_cuts.h"
#include "replay/script.h"
#include "replay/script_feed.h"
#include "shell/common/focus_pause.h"
#include "shell/common/recorder.h"
#include "shell/common/sound_mixer.h"

#include <memory>
#include <optional>
#include <string>

// The browser's side of the game: what the page tells it (keys, pads, touches, focus) and what
// it keeps between animation frames (the calls run, the recording, a script being watched).
struct WebShell {
    static constexpr int kKeyCount = 256;

    // Held on the keyboard, on a pad, on the touch screen's buttons.
    bool keyboard[kKeyCount] = {};
    bool pad[kKeyCount] = {};
    bool touch[kKeyCount] = {};
    FocusPause focusPause;
    SoundMixer mixer;

    // Every game on the page is recorded, as the desktop's --record does, into memory.
    RecordingLines recordingLines;
    std::string recording;
    // The games of the page's run as the high scores see them.
    GameCuts cuts;

    // A recording being watched instead of the keys, and its feed of keys and clock.
    struct Watched {
        ReplayScript script;
        std::unique_ptr<ScriptFeed> feed;
        ScriptedMachine machine;
    };
    std::optional<Watched> watched;

    // The calls run so far; the one running is number `calls`.
    int calls = 0;
    bool quitPosted = false;
};

WebShell& webShell();

// The key as the player holds it now, on any of the page's inputs.
bool liveKeyDown(int virtualKey);
