#include "shell/sdl/session.h"

#include "replay/trace.h"
#include "shell/common/command_line.h"
#include "shell/common/frame_step.h"
#include "shell/common/recorder.h"
#include "shell/sdl/watcher.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

namespace {

struct Session {
    std::unique_ptr<Recorder> recorder;
    std::unique_ptr<Watcher> watcher;
    std::string finalStateFile;
    // The calls of the frame function run so far; the one running is number `calls`.
    int calls = 0;
};

Session& session() {
    static Session s;
    return s;
}

void writeFinalState(const std::string& path, int calls) {
    std::string line;
    if (calls > 0) {
        appendTraceLine(line, calls - 1, frameStepGame());
    }
    errno = 0;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!(file << line) || !file.flush()) {
        std::fprintf(stderr, "glimmerwake: cannot write the final state to %s: %s\n", path.c_str(),
                     errno != 0 ? std::strerror(errno) : "the write failed");
    }
}

} // namespace

bool startSession(const CommandLine& commandLine) {
    Session& s = session();
    s.finalStateFile = commandLine.finalStateFile;
    if (!commandLine.watchFile.empty()) {
        s.watcher = std::make_unique<Watcher>();
        return s.watcher->load(commandLine.watchFile, commandLine.shotsDir);
    }
    if (!commandLine.recordFile.empty()) {
        s.recorder = std::make_unique<Recorder>();
        s.recorder->start(commandLine.recordFile);
    }
    return true;
}

FramePace sessionBeforeCall(CallInputs& inputs) {
    Session& s = session();
    if (s.recorder) {
        s.recorder->beginCall(s.calls, inputs);
    }
    if (s.watcher) {
        return s.watcher->beginCall(s.calls, inputs);
    }
    return FramePace::Wait;
}

void sessionBeforeSwap() {
    Session& s = session();
    if (s.watcher) {
        s.watcher->beforeSwap(s.calls);
    }
}

void sessionAfterCall() {
    Session& s = session();
    if (s.watcher) {
        s.watcher->endCall(s.calls);
    }
    ++s.calls;
}

void finishSession() {
    Session& s = session();
    if (s.recorder) {
        s.recorder->finish(s.calls);
    }
    if (!s.finalStateFile.empty()) {
        writeFinalState(s.finalStateFile, s.calls);
    }
}
