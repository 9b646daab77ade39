#include "shell/common/session.h"

#include "platform/platform.h"
#include "replay/trace.h"
#include "shell/common/command_line.h"
#include "shell/common/frame_step.h"
#include "shell/common/recorder.h"
#include "shell/common/score_notes.h"
#include "shell/common/score_sender.h"
#include "shell/common/scored_play.h"
#include "shell/common/session_host.h"
#include "shell/common/settings.h"
#include "shell/common/user_data.h"
#include "shell/common/watcher.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

namespace {

// The menu's key for the daily run: not a key of the game, so no game ever reads it.
constexpr char kDailyKey = 'D';
// Where the games for the score board wait until it has them, in the data folder.
constexpr const char* kUnsentFolder = "unsent";

struct Session {
    std::unique_ptr<Recorder> recorder;
    std::unique_ptr<Watcher> watcher;
    // Every game recorded, proved and kept in the high scores, and the daily run.
    std::unique_ptr<ScoredPlay> play;
    std::string finalStateFile;
    // The calls of the frame function run so far; the one running is number `calls`.
    int calls = 0;
};

Session& session() {
    static Session s;
    return s;
}

// The sender of proved games to the score board the player chose (--board, or board= in the
// settings), or none: sending is off unless asked for, and a watched game is nobody's to send.
std::shared_ptr<ScoreSender> boardSender(const CommandLine& commandLine, const Settings& settings,
                                         const std::string& folder) {
    const std::string& url = commandLine.boardUrl.empty() ? settings.board : commandLine.boardUrl;
    if (url.empty() || !commandLine.watchFile.empty() || folder.empty()) {
        return nullptr;
    }
    if (!isBoardUrl(url)) {
        std::fprintf(stderr,
                     "glimmerwake: the settings' board is no http:// or https:// address: no "
                     "games are sent\n");
        return nullptr;
    }
    return startScoreSender({url, settings.name, folder + kUnsentFolder});
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

bool startSession(const CommandLine& commandLine, const Settings& settings) {
    Session& s = session();
    s.finalStateFile = commandLine.finalStateFile;
    ScoredPlay::Options options;
    options.daily = commandLine.daily;
    options.keepScores = commandLine.watchFile.empty();
    options.folder = userDataDirectory();
    options.runName = runNameOf(calendarSeconds(), hostProcessNumber());
    options.home = hostHomeFolder();
    options.settings = settings;
    options.sender = boardSender(commandLine, settings, options.folder);
    s.play = std::make_unique<ScoredPlay>(options, frameStepGame());
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
    FramePace pace = FramePace::Wait;
    if (s.watcher) {
        pace = s.watcher->beginCall(s.calls, inputs);
        s.play->beginCall(false, inputs.seconds);
    } else {
        // A daily attempt sees its day's own calendar, whatever the machine's clock says.
        inputs.seconds = s.play->beginCall(hostLetterHeld(kDailyKey), inputs.seconds);
    }
    // --record takes down free play, the run the program started with.
    if (s.recorder && !s.play->playingDaily()) {
        s.recorder->beginCall(s.play->freeCalls(), inputs);
    }
    s.play->noteInputs(inputs);
    return pace;
}

void sessionNoteMuted(bool muted) {
    session().play->noteMuted(muted);
}

void sessionNoteMusic(bool on) {
    session().play->noteMusic(on);
}

void sessionBeforeSwap() {
    Session& s = session();
    // The buffer swap calls this in every program that runs the desktop's frame, also in one that
    // started no session (the pad check): that one has no notes to draw.
    if (s.play) {
        drawNoteLines(s.play->notes());
    }
    if (s.watcher) {
        s.watcher->beforeSwap(s.calls);
    }
}

void sessionAfterCall() {
    Session& s = session();
    s.play->endCall(calendarSeconds());
    if (s.watcher) {
        s.watcher->endCall(s.calls);
    }
    ++s.calls;
}

void finishSession() {
    Session& s = session();
    s.play->finish(calendarSeconds());
    if (s.recorder) {
        s.recorder->finish(s.play->freeCalls());
    }
    if (!s.finalStateFile.empty()) {
        writeFinalState(s.finalStateFile, s.play->calls());
    }
    // The last games proved and kept before the program ends.
    s.play.reset();
}
