#pragma once

#include "replay/script.h"
#include "shell/common/call_inputs.h"
#include "shell/common/focus_pause.h"
#include "shell/common/recorder.h"
#include "shell/common/sound_mixer.h"

#include <cstdint>
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
    // A recording being watched instead of the keys; its next key and clock lines.
    std::optional<ReplayScript> watched;
    std::size_t nextKey = 0;
    std::size_t nextClock = 0;
    bool clockSet = false;
    std::int64_t clock = 0;

    // The calls run so far; the one running is number `calls`.
    int calls = 0;
    bool quitPosted = false;
};

WebShell& webShell();

// The key as the player holds it now, on any of the page's inputs.
bool liveKeyDown(int virtualKey);
