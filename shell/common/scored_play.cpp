#include "shell/common/scored_play.h"

#include "game/call_inputs.h"
#include "shell/common/score_table.h"

namespace {

// The daily run's clock runs on by a second every this many calls, as the replay tool's does.
constexpr int kCallsPerSecond = 100;

} // namespace

ScoredPlay::ScoredPlay(const Options& options, Game& live) : options_(options), live_(live) {
    // Watching, the keeper is there for the menu's best scores only.
    keeper_ = std::make_unique<ScoreKeeper>(options_.folder, options_.sender.get());
    // An attempt asked for on the command line needs no key: it starts at the first call.
    dailyKeyWasDown_ = !options_.daily;
}

ScoredPlay::Run& ScoredPlay::run() {
    return daily_ ? *daily_ : free_;
}

const ScoredPlay::Run& ScoredPlay::run() const {
    return daily_ ? *daily_ : free_;
}

void ScoredPlay::startDaily(std::int64_t seconds) {
    if (!parkedFree_) {
        parkedFree_ = live_;
    }
    // A fresh game, as at the program's start: every attempt starts alike.
    live_ = Game{};
    daily_.emplace();
    daily_->lines = RecordingLines(RecordingLines::Clock::WhereReckonedOtherwise);
    daily_->day = dayName(seconds);
    daily_->epoch = dayStart(daily_->day);
    ++dailyAttempts_;
    daily_->name =
        "daily-" + daily_->day + "-" + options_.runName + "-" + std::to_string(dailyAttempts_);
}

std::int64_t ScoredPlay::beginCall(bool dailyKey, std::int64_t seconds) {
    // An attempt that ended (a restart, the menu) gives way before the next call: F2 plays a new
    // attempt on a fresh game, F3 goes back to free play's menu.
    if (dailyEnded_) {
        dailyEnded_ = false;
        const bool restart = live_.gameState == GameState::Playing;
        daily_.reset();
        if (restart) {
            startDaily(seconds);
        } else {
            live_ = std::move(*parkedFree_);
            parkedFree_.reset();
        }
    }
    lastSeconds_ = seconds;
    const bool pressed = dailyKey && !dailyKeyWasDown_;
    dailyKeyWasDown_ = dailyKey;
    if (options_.daily && free_.calls == 0 && dailyAttempts_ == 0) {
        startDaily(seconds);
    } else if (pressed && !daily_ && options_.keepScores && live_.gameState == GameState::Menu) {
        startDaily(seconds);
    }
    const Run& current = run();
    return current.day.empty() ? seconds : current.epoch + current.calls / kCallsPerSecond;
}

void ScoredPlay::noteInputs(const CallInputs& inputs) {
    Run& current = run();
    current.lines.noteCall(current.calls, inputs, current.script);
}

void ScoredPlay::endCall(std::int64_t seconds) {
    Run& current = run();
    const int call = current.calls++;
    if (std::optional<VerifiedGame> ended = current.cuts.afterCall(call, gamePointOf(live_))) {
        gameEnded(current, *ended, seconds);
    }
    // A daily attempt is one game. Restarted (F2) or back in its menu (F3), it has had its game:
    // the next call starts a fresh attempt, or goes back to free play.
    const bool restarted = current.cuts.gamesStarted() > 1;
    const bool backInMenu = live_.gameState == GameState::Menu && current.cuts.gamesStarted() > 0;
    if (daily_ && (restarted || backInMenu)) {
        dailyEnded_ = true;
    }
}

void ScoredPlay::finish(std::int64_t seconds) {
    Run& current = run();
    if (std::optional<VerifiedGame> ended = current.cuts.finish(current.calls - 1)) {
        gameEnded(current, *ended, seconds);
    }
}

std::string ScoredPlay::recordingName(const Run& current, int game) const {
    return current.day.empty() ? "run-" + options_.runName + "-" + std::to_string(game) + ".replay"
                               : current.name + ".replay";
}

void ScoredPlay::gameEnded(Run& current, const VerifiedGame& game, std::int64_t seconds) {
    current.lastScore = game.score;
    if (!options_.keepScores) {
        return;
    }
    // A daily attempt's later games started otherwise than the day's run does: not its games.
    if (!current.day.empty() && game.index != 1) {
        return;
    }
    std::string recording = current.script;
    RecordingLines::noteEnd(game.lastCall + 1, recording);
    current.noteTicket = keeper_->gameEnded(game, current.day, seconds, std::move(recording),
                                            recordingName(current, game.index));
}

std::vector<NoteLine> ScoredPlay::notes() const {
    const Run& current = run();
    const Game& shown = live_;
    if (shown.gameState == GameState::Menu) {
        // A watched game is somebody's recording: no daily run is offered in it.
        const std::string today = !current.day.empty()  ? current.day
                                  : options_.keepScores ? dayName(lastSeconds_)
                                                        : std::string();
        return menuNoteLines(keeper_->best(""), today.empty() ? 0 : keeper_->best(today), today,
                             !current.day.empty(), boardLine());
    }
    if (shown.gameState != GameState::Playing || !shown.gameOver) {
        return {};
    }
    GameOverNote note;
    if (current.noteTicket != 0) {
        note = keeper_->lastNote();
    }
    if (note.ticket != current.noteTicket || current.noteTicket == 0) {
        note = GameOverNote{};
        note.score = current.lastScore;
        note.day = current.day;
    }
    return gameOverNoteLines(note, options_.home);
}

std::string ScoredPlay::boardLine() const {
    if (!options_.sender) {
        return std::string();
    }
    switch (options_.sender->state()) {
    case SendState::Sent:
        return "Board: sent";
    case SendState::Waiting:
        return "Board: waiting";
    case SendState::Idle:
        break;
    }
    return std::string();
}

void ScoredPlay::waitForScores() {
    keeper_->waitUntilDone();
}

void ScoredPlay::noteMuted(bool muted) {
    if (muted_ && *muted_ != muted) {
        options_.settings.mute = muted;
        keeper_->saveSettingsLater(options_.settings);
    }
    muted_ = muted;
}

void ScoredPlay::noteMusic(bool on) {
    if (musicOn_ && *musicOn_ != on) {
        options_.settings.music = on;
        keeper_->saveSettingsLater(options_.settings);
    }
    musicOn_ = on;
}

std::string runNameOf(std::int64_t startSeconds, long processId) {
    std::string name;
    for (const char c : dateAndTime(startSeconds)) {
        if (c >= '0' && c <= '9') {
            name += c;
        } else if (c == ' ') {
            name += '-';
        }
    }
    return name + "-" + std::to_string(processId);
}
