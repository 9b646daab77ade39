// Glimmerwake in the browser: the page (shell/web/page.js) hands the game its keys and starts it;
// the browser's animation frames run the game's 10 ms calls.
#include "game/game.h"
#include "platform/platform.h"
#include "render/renderer.h"
#include "replay/trace.h"
#include "replay/verify.h"
#include "shell/common/frame_step.h"
#include "shell/common/music_cues.h"
#include "shell/common/replay_mark.h"
#include "shell/web/web_gl.h"
#include "shell/web/web_scores.h"
#include "shell/web/web_shell.h"

#include <algorithm>
#include <cstdio>
#include <emscripten.h>
#include <sstream>

// shell/web/web_library.js
extern "C" int webCreateContext(int keepDrawingBuffer);
extern "C" void webGameEnded(int watched);
extern "C" void webGameProved(int score);

namespace {

constexpr double kCallMs = static_cast<double>(kFramePeriodMs);
// The canvas's drawing buffer: the desktop window's size, which the page scales to its own.
constexpr int kCanvasWidth = 1024;
constexpr int kCanvasHeight = 768;
constexpr double kRunInstances = 1000000.0;
// A slow frame is caught up by at most this many calls in the next; beyond it the game slows
// down instead of leaping ahead (a tab left in the background comes back where it was).
constexpr int kMostCallsPerFrame = 4;
// While a recording is watched with F held, as many calls as this a frame: as fast as a plain
// machine runs the game.
constexpr int kFastCallsPerFrame = 100;
// Not keys of the game, so that nobody presses them meaning to play: F, held, runs a watched
// recording fast; Q stops watching it. As on the desktop.
constexpr int kFastKey = 'F';
constexpr int kStopKey = 'Q';

struct FrameLoop {
    double last = 0.0;
    double owed = 0.0;
};

FrameLoop& frameLoop() {
    static FrameLoop loop;
    return loop;
}

Renderer& renderer() {
    static Renderer r;
    return r;
}

// The keys and the calendar second the call sees, all through it: the player's, taken now and
// recorded, or the watched script's.
CallInputs takeCallInputs(WebShell& shell) {
    if (!shell.watched) {
        const CallInputs inputs = readLiveInputs();
        shell.recordingLines.noteCall(shell.calls, inputs, shell.recording);
        return inputs;
    }
    WebShell::Watched& watched = *shell.watched;
    watched.feed->enterCall(watched.machine, shell.calls);
    return watched.machine.inputs();
}

bool finished(const WebShell& shell) {
    return shell.quitPosted || (shell.watched && (shell.calls >= shell.watched->script.calls ||
                                                  shell.keyboard[kStopKey]));
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

// A game of the player's has ended: it enters the page's table only once its recording, replayed
// with the rules alone, shows the very same game, as the desktop's keeper proves every entry.
void scoreEndedGame(const WebShell& shell, const VerifiedGame& ended) {
    std::string script = shell.recording;
    RecordingLines::noteEnd(shell.calls, script);
    Verification verification;
    std::string error;
    if (!verifyRecording(script, VerifyLimits{}, verification, error)) {
        std::fprintf(stderr, "Glimmerwake: the game just played does not replay (%s)\n",
                     error.c_str());
        return;
    }
    for (const VerifiedGame& game : verification.games) {
        if (game.index == ended.index && game.score == ended.score &&
            game.lastCall == ended.lastCall) {
            enterProvedGame(game, calendarSeconds());
            webGameProved(game.score);
            return;
        }
    }
    std::fprintf(stderr, "Glimmerwake: game %d did not replay to its score %d\n", ended.index,
                 ended.score);
}

void runCall(WebShell& shell) {
    Game& game = frameStepGame();
    shell.focusPause.beginFrame(game);
    const CallInputs inputs = takeCallInputs(shell);
    const CallOutcome outcome = game.advance(inputs);
    renderer().drawFrame(game, outcome.picture);
    for (const SoundEffect effect : outcome.sounds) {
        shell.mixer.play(effect);
    }
    if (outcome.quit) {
        postQuitMessage(0);
    }
    const int call = shell.calls++;
    shell.mixer.cueMusic(musicThemeFor(game));
    if (!shell.watched) {
        if (const std::optional<VerifiedGame> ended =
                shell.cuts.afterCall(call, gamePointOf(game))) {
            scoreEndedGame(shell, *ended);
        }
    }
}

// The last call of a watched recording is always drawn: it is the picture the watcher is left with.
bool lastWatchedCall(const WebShell& shell) {
    return shell.watched && shell.calls + 1 >= shell.watched->script.calls;
}

void animationFrame() {
    WebShell& shell = webShell();
    FrameLoop& loop = frameLoop();
    const double now = emscripten_get_now();
    loop.owed += now - loop.last;
    loop.last = now;
    const int due = callsDue(shell, loop);
    // Every call is drawn, since the drawing state carries from frame to frame, but only the last
    // call's picture reaches the canvas: the others' primitives are left out.
    for (int i = 0; i < due && !finished(shell); ++i) {
        discardDrawing(i + 1 < due && !lastWatchedCall(shell));
        runCall(shell);
    }
    discardDrawing(false);
    // A watched game says so on its picture, as on the desktop.
    if (shell.watched && due > 0) {
        drawReplayMark();
    }
    if (finished(shell)) {
        emscripten_cancel_main_loop();
        webGameEnded(shell.watched && !shell.quitPosted ? 1 : 0);
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

// The sound as the page's settings have it (mute, and the music's own switch).
EMSCRIPTEN_KEEPALIVE void webSetSound(int muted, int musicOn) {
    SoundMixer& mixer = webShell().mixer;
    mixer.setMuted(muted != 0);
    mixer.setMusicOn(musicOn != 0);
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
    shell.watched.emplace();
    WebShell::Watched& watched = *shell.watched;
    watched.script = std::move(*script);
    watched.machine.epoch = watched.script.epoch;
    watched.feed = std::make_unique<ScriptFeed>(watched.script);
    out.clear();
    return out.c_str();
}

// The game so far as a replay script, ended where it stands: the call that ended it included.
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

// Makes the WebGL context and starts the frames; 0 when the browser has no WebGL.
EMSCRIPTEN_KEEPALIVE int webStart(int keepDrawingBuffer) {
    if (webCreateContext(keepDrawingBuffer) == 0) {
        return 0;
    }
    renderer().resize(kCanvasWidth, kCanvasHeight);
    // Two pages started in the same second still name their recordings apart.
    startPageRun(calendarSeconds(), static_cast<long>(emscripten_random() * kRunInstances));
    FrameLoop& loop = frameLoop();
    loop.last = emscripten_get_now();
    loop.owed = kCallMs;
    emscripten_set_main_loop(animationFrame, 0, false);
    return 1;
}

} // extern "C"

int main() {
    // The page starts the game once it knows whether a recording is to be watched (webStart).
    return 0;
}
