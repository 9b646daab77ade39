#pragma once

#include "game/call_inputs.h"
#include "replay/script.h"
#include "replay/script_feed.h"
#include "shell/common/frame_step.h"

#include <optional>
#include <string>

// Plays a replay script (a recording, say) in the window at the game's own pace: the script's keys
// and calendar are what the game sees, the keyboard reaches it no more. Q ends the watching; F,
// held, runs the game as fast as it draws. `shot` lines write the window's frame, read from the
// back buffer just before it is shown, but only into a folder the player named, only under plain
// file names and never over a file that is there: a recording may come from anybody.
class Watcher {
  public:
    static constexpr int kShotFailed = 3;

    // Reads the script; one that cannot be read, is malformed or has no call to play is said on
    // standard error and false returned. A recording cut short (no `end`) is watched through its
    // last call, which is said. Shots go into `shotsDir`; with none, none are taken.
    bool load(const std::string& path, const std::string& shotsDir);
    // Before call `call`: the script's keys and calendar for that call replace `inputs`; the pace
    // is the game's own unless F is held.
    FramePace beginCall(int call, CallInputs& inputs);
    // Just before call `call` presents its frame.
    void beforeSwap(int call);
    // After call `call`: the watching ends at the script's end or when Q is down.
    void endCall(int call);

  private:
    void takeShot(const ShotRequest& shot);

    std::string path_;
    std::string shotsDir_;
    ReplayScript script_;
    std::optional<ScriptFeed> feed_;
    ScriptedMachine machine_;
    std::size_t nextShot_ = 0;
    bool shotFailed_ = false;
};
