#include "shell/common/watcher.h"

#include "platform/platform.h"
#include "shell/common/replay_mark.h"
#include "shell/common/rgb_png.h"
#include "shell/common/session_host.h"

#include <GL/gl.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// The size of the game's window, and of every shot.
constexpr int kShotWidth = 1024;
constexpr int kShotHeight = 768;

// Not keys of the game, so that nobody presses them meaning to play.
constexpr char kStopKey = 'Q';
constexpr char kFastKey = 'F';

// The back buffer, top row first.
std::vector<std::uint8_t> readBackBuffer() {
    std::vector<std::uint8_t> bottomUp(std::size_t{kShotWidth} * kShotHeight * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kShotWidth, kShotHeight, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<std::uint8_t> topDown(bottomUp.size());
    const std::size_t rowBytes = std::size_t{kShotWidth} * 3;
    for (int y = 0; y < kShotHeight; ++y) {
        std::copy_n(bottomUp.data() + (kShotHeight - 1 - y) * rowBytes, rowBytes,
                    topDown.data() + y * rowBytes);
    }
    return topDown;
}

// Says once why a watched script's shots are not taken.
void noteShotsLeftOut(const std::string& path, std::size_t shots) {
    if (shots > 0) {
        std::fprintf(
            stderr, "glimmerwake: %s: its %zu shot line(s) are not taken: --shots DIR takes them\n",
            path.c_str(), shots);
    }
}

} // namespace

bool Watcher::load(const std::string& path, const std::string& shotsDir) {
    path_ = path;
    shotsDir_ = shotsDir;
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        std::fprintf(stderr, "glimmerwake: cannot watch %s: it is a directory\n", path.c_str());
        return false;
    }
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "glimmerwake: cannot watch %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return false;
    }
    ScriptError error;
    std::optional<ReplayScript> script = parseScript(file, error, ScriptOptions{true});
    if (!script) {
        std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), error.line, error.message.c_str());
        return false;
    }
    if (script->calls == 0) {
        std::fprintf(stderr, "glimmerwake: cannot watch %s: it has no call to play\n",
                     path.c_str());
        return false;
    }
    script_ = std::move(*script);
    machine_.epoch = script_.epoch;
    feed_.emplace(script_);
    if (!script_.ended) {
        std::fprintf(stderr, "%s: no 'end': the recording was cut short; watching its %d calls\n",
                     path.c_str(), script_.calls);
    }
    if (shotsDir_.empty()) {
        noteShotsLeftOut(path_, script_.shots.size());
        script_.shots.clear();
    }
    return true;
}

FramePace Watcher::beginCall(int call, CallInputs& inputs) {
    feed_->enterCall(machine_, call);
    inputs = machine_.inputs();
    return hostLetterHeld(kFastKey) ? FramePace::NoWait : FramePace::Wait;
}

void Watcher::beforeSwap(int call) {
    for (; nextShot_ < script_.shots.size() && script_.shots[nextShot_].call == call; ++nextShot_) {
        takeShot(script_.shots[nextShot_]);
    }
    // After the shots, which show the game's own frame as the replay tool's do.
    drawReplayMark();
}

void Watcher::takeShot(const ShotRequest& shot) {
    int width = 0;
    int height = 0;
    hostDrawableSize(width, height);
    std::string why = "the window is " + std::to_string(width) + " x " + std::to_string(height) +
                      ", not 1024 x 768";
    if (!isPlainPngName(shot.file)) {
        why = "only a plain name ending in .png is taken, inside the --shots folder";
    } else if (width == kShotWidth && height == kShotHeight &&
               writeRgbPng((std::filesystem::path(shotsDir_) / shot.file).string().c_str(),
                           kShotWidth, kShotHeight, readBackBuffer(), ShotTarget::NewOnly, why)) {
        return;
    }
    std::fprintf(stderr, "%s:%d: cannot write the shot %s: %s\n", path_.c_str(), shot.line,
                 shot.file.c_str(), why.c_str());
    shotFailed_ = true;
}

void Watcher::endCall(int call) {
    int quitStatus = 0;
    const bool gameEnded = hostQuitPosted(quitStatus);
    if (!gameEnded && call + 1 < script_.calls && !hostLetterHeld(kStopKey)) {
        return;
    }
    if (nextShot_ < script_.shots.size()) {
        std::fprintf(stderr, "%s:%d: no shot taken: the watching ended after call %d\n",
                     path_.c_str(), script_.shots[nextShot_].line, call);
    }
    // A game that ended on its own keeps its status (1 when the display failed it).
    const int status = gameEnded ? quitStatus : 0;
    postQuitMessage(status == 0 && shotFailed_ ? kShotFailed : status);
}
