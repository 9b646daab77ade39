// Glimmerwake in the browser: the page (shell/web/page.js) hands the game its keys and starts it;
// the browser's animation frames run the game's 10 ms calls.
#include "game/frame_step.h"
#include "game/game.h"
#include "platform/platform.h"
#include "replay/trace.h"
#include "shell/common/call_inputs.h"
#include "shell/common/music_cues.h"
#include "shell/common/replay_mark.h"
#include "shell/web/web_gl.h"
#include "shell/web/web_shell.h"

#include <algorithm>
#include <ctime>
#include <emscripten.h>
#include <sstream>

// shell/web/web_library.js
extern "C" int webCreateContext(int keepDrawingBuffer);
extern "C" void webGameEnded(int watched);

namespace {

constexpr double kCallMs = 10.0;
// A slow frame is caught up by at most this many calls in the next; beyond it the game slows
// down instead of leaping ahead (a tab left in the background comes back where it was).
constexpr int kMostCallsPerFrame = 4;
// While a recording is watched with F held, as many calls as this a frame: as fast as a plain
// machine runs the game.
constexpr int kFastCallsPerFrame = 100;
// The replay's calendar runs on by a second every this many calls until its first clock line.
constexpr int kCallsPerSecond = 100;
// Not keys of the game, so that nobody presses them meaning to play: F, held, runs a watched
// recording fast; Q stops watching it. As on the desktop.
constexpr int kFastKey = 'F';
constexpr int kStopKey = 'Q';

struct FrameLoop {
    double last = 0.0;
    double owed = 0.0;
    bool running = false;
};

FrameLoop& frameLoop() {
    static FrameLoop loop;
    return loop;
}

// The keys and the calendar second the call sees, all through it: the player's, taken now and
// recorded, or the watched script's.
void takeCallInputs(WebShell& shell) {
    CallInputs& inputs = callInputs();
    inputs.fixed = true;
    if (!shell.watched) {
        for (const ScriptKey& key : kScriptKeys) {
            inputs.keys[key.virtualKey] = liveKeyDown(key.virtualKey);
        }
        inputs.seconds = static_cast<std::int64_t>(std::time(nullptr));
        shell.recordingLines.noteCall(shell.calls, inputs, shell.recording);
        return;
    }
    const ReplayScript& script = *shell.watched;
    for (; shell.nextKey < script.keyChanges.size() &&
           script.keyChanges[shell.nextKey].call == shell.calls;
         ++shell.nextKey) {
        inputs.keys[script.keyChanges[shell.nextKey].virtualKey] =
            script.keyChanges[shell.nextKey].down;
    }
    for (; shell.nextClock < script.clockChanges.size() &&
           script.clockChanges[shell.nextClock].call == shell.calls;
         ++shell.nextClock) {
        shell.clockSet = true;
        shell.clock = script.clockChanges[shell.nextClock].seconds;
    }
    inputs.seconds = shell.clockSet ? shell.clock : script.epoch + shell.calls / kCallsPerSecond;
}

bool finished(const WebShell& shell) {
    return shell.quitPosted ||
           (shell.watched && (shell.calls >= shell.watched->calls || shell.keyboard[kStopKey]));
}

int callsDue(const WebShell& shell, FrameLoop& loop) {
    if (shell.watched && shell.keyboard[kFastKey]) {
        loop.owed = 0.0;
        return kFastCallsPerFrame;
    }
    const int due = std::min(static_cast<int>(loop.owed / kCallMs), kMostCallsPerFrame);
    loop.owed = std::min(loop.owed - due * kCallMs, kCallMs);
    return due;
}

void runCall(WebShell& shell) {
    shell.focusPause.beginFrame(frameStepGame());
    takeCallInputs(shell);
    FrameStep();
    ++shell.calls;
    shell.mixer.cueMusic(musicThemeFor(frameStepGame()));
}

void animationFrame() {
    WebShell& shell = webShell();
    FrameLoop& loop = frameLoop();
    const double now = emscripten_get_now();
    loop.owed += now - loop.last;
    loop.last = now;
    const int due = callsDue(shell, loop);
    // Only the last call's picture is shown: the others' drawing is left out.
    for (int i = 0; i < due && !finished(shell); ++i) {
        discardDrawing(i + 1 < due && !(shell.watched && shell.calls + 1 >= shell.watched->calls));
        runCall(shell);
    }
    discardDrawing(false);
    // A watched game says so on its picture, as on the desktop.
    if (shell.watched && due > 0) {
        drawReplayMark();
    }
    if (finished(shell)) {
        emscripten_cancel_main_loop();
        loop.running = false;
        webGameEnded(shell.watched.has_value() && !shell.quitPosted ? 1 : 0);
    }
}

std::string& textOut() {
    static std::string text;
    return text;
}

} // namespace

// What the page calls. Strings returned stay valid until the next call that returns one.
extern "C" {

EMSCRIPTEN_KEEPALIVE void webSetKey(int source, int virtualKey, int down) {
    WebShell& shell = webShell();
    if (virtualKey < 0 || virtualKey >= WebShell::kKeyCount) {
        return;
    }
    bool* const held[] = {shell.keyboard, shell.pad, shell.touch};
    if (source >= 0 && source < 3) {
        held[source][virtualKey] = down != 0;
    }
}

// The page lost the keyboard (another window, or the tab hidden): it hears no key go up now, so
// every key counts as up, and a game in play pauses as on the desktop.
EMSCRIPTEN_KEEPALIVE void webFocusLost() {
    WebShell& shell = webShell();
    std::fill(std::begin(shell.keyboard), std::end(shell.keyboard), false);
    std::fill(std::begin(shell.touch), std::end(shell.touch), false);
    shell.focusPause.windowLeft();
}

EMSCRIPTEN_KEEPALIVE int webInPlay() {
    return frameStepGame().gameState == GameState::Playing ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void webMixSound(std::int16_t* out, int frames) {
    webShell().mixer.mix(out, frames);
}

EMSCRIPTEN_KEEPALIVE void webLoadSounds() {
    webShell().mixer.loadAll(dataRoot() + "Data/Sounds");
}

EMSCRIPTEN_KEEPALIVE int webToggleMute() {
    SoundMixer& mixer = webShell().mixer;
    mixer.setMuted(!mixer.muted());
    return mixer.muted() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int webToggleMusic() {
    SoundMixer& mixer = webShell().mixer;
    mixer.setMusicOn(!mixer.musicOn());
    return mixer.musicOn() ? 1 : 0;
}

// Reads a recording to watch, `length` bytes of text from anyone: read as strictly as the
// desktop reads one. Returns "" when it will be watched, else what is wrong with it.
EMSCRIPTEN_KEEPALIVE const char* webWatch(const char* text, int length) {
    std::string& out = textOut();
    if (length < 0 || static_cast<std::size_t>(length) > kMaxScriptBytes) {
        out = "the recording is larger than any game";
        return out.c_str();
    }
    std::istringstream in(std::string(text, static_cast<std::size_t>(length)));
    ScriptError error;
    std::optional<ReplayScript> script = parseScript(in, error, ScriptOptions{true});
    if (!script) {
        out = "line " + std::to_string(error.line) + ": " + error.message;
        return out.c_str();
    }
    if (!script->shots.empty()) {
        out = "it asks for shots, which a page cannot write";
        return out.c_str();
    }
    WebShell& shell = webShell();
    // The one game of the page has begun: a recording watched from here would start in the
    // middle of it.
    if (shell.calls > 0) {
        out = "a game has begun on this page; open the page anew to watch a recording";
        return out.c_str();
    }
    shell.watched = std::move(*script);
    out.clear();
    return out.c_str();
}

// The game so far as a replay script, ended where it stands.
EMSCRIPTEN_KEEPALIVE const char* webRecording() {
    std::string& out = textOut();
    out = webShell().recording;
    RecordingLines::noteEnd(webShell().calls, out);
    return out.c_str();
}

// The trace line of the last call, as glimmerwake-replay prints it; "" before the first.
EMSCRIPTEN_KEEPALIVE const char* webTraceLine() {
    std::string& out = textOut();
    out.clear();
    if (webShell().calls > 0) {
        appendTraceLine(out, webShell().calls - 1, frameStepGame());
    }
    return out.c_str();
}

EMSCRIPTEN_KEEPALIVE int webCalls() {
    return webShell().calls;
}

EMSCRIPTEN_KEEPALIVE int webWatching() {
    return webShell().watched ? 1 : 0;
}

// Makes the WebGL context and starts the frames; 0 when the browser has no WebGL.
EMSCRIPTEN_KEEPALIVE int webStart(int keepDrawingBuffer) {
    if (webCreateContext(keepDrawingBuffer) == 0) {
        return 0;
    }
    // The canvas is the game's window; the page scales it to fit its own.
    frameStepResize(1024, 768);
    FrameLoop& loop = frameLoop();
    loop.last = emscripten_get_now();
    loop.owed = kCallMs;
    loop.running = true;
    emscripten_set_main_loop(animationFrame, 0, false);
    return 1;
}

} // extern "C"

int main() {
    // The page starts the game once it knows whether a recording is to be watched (webStart).
    return 0;
}
