#include "shell/common/score_keeper.h"

#include <cstdio>

namespace {

// A recording longer than this (a game left running for days) is not replayed: the work would
// hold the writer up for minutes. A hundred hours of calls, the most a recording can hold.
constexpr int kMaxCallsProved = 100 * 3600 * 100;

ScoreEntry entryOf(const VerifiedGame& game, std::int64_t when, const std::string& name) {
    ScoreEntry entry;
    entry.score = game.score;
    entry.when = when;
    entry.frame = game.frame;
    entry.bossDestroyed = game.bossDestroyed;
    entry.swarmDestroyed = game.swarmDestroyed;
    entry.endlessReached = game.endlessReached;
    entry.recording = name;
    entry.game = game.index;
    return entry;
}

// The replayed game is the game claimed: same index, same score, same mode and day.
bool provesClaim(const Verification& verification, const VerifiedGame& claim,
                 const std::string& day) {
    for (const VerifiedGame& game : verification.games) {
        if (game.index == claim.index) {
            return game.score == claim.score && game.daily == !day.empty() && game.day == day;
        }
    }
    return false;
}

} // namespace

ScoreKeeper::ScoreKeeper(std::string folder, ScoreSender* sender)
    : store_(std::move(folder)), sender_(sender) {
    tables_ = store_.load();
    thread_ = std::thread(&ScoreKeeper::run, this);
}

ScoreKeeper::~ScoreKeeper() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

int ScoreKeeper::gameEnded(const VerifiedGame& game, const std::string& day, std::int64_t when,
                           std::string recording, const std::string& name) {
    const std::lock_guard<std::mutex> lock(mutex_);
    Job job{++tickets_, game, day, entryOf(game, when, name), std::move(recording)};
    GameOverNote note;
    note.ticket = job.ticket;
    note.game = game.index;
    note.score = game.score;
    note.day = day;
    note.rank = rankFor(tableOf(tables_, day), job.entry);
    note.tableLength = tableOf(tables_, day).size();
    // Most games make no table: nothing to prove, nothing to write.
    note.status = note.rank > 0 ? GameOverNote::Status::Checking : GameOverNote::Status::NotEntered;
    note_ = note;
    if (note.rank > 0) {
        jobs_.push_back(std::move(job));
        wake_.notify_one();
    }
    return note.ticket;
}

int ScoreKeeper::best(const std::string& day) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    const std::vector<ScoreEntry>& table = tableOf(tables_, day);
    return table.empty() ? 0 : table.front().score;
}

GameOverNote ScoreKeeper::lastNote() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return note_;
}

void ScoreKeeper::saveSettingsLater(const Settings& settings) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        settings_ = settings;
    }
    wake_.notify_one();
}

void ScoreKeeper::waitUntilDone() {
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return jobs_.empty() && !settings_ && !busy_; });
}

void ScoreKeeper::run() {
    for (;;) {
        std::optional<Job> job;
        std::optional<Settings> settings;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty() || settings_; });
            if (jobs_.empty() && !settings_) {
                return;
            }
            settings.swap(settings_);
            if (!jobs_.empty()) {
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            busy_ = true;
        }
        if (settings) {
            saveSettings(store_.folder(), *settings);
        }
        if (job) {
            prove(*job);
        }
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            busy_ = false;
        }
        done_.notify_all();
    }
}

void ScoreKeeper::prove(const Job& job) {
    GameOverNote note;
    Verification verification;
    std::string error;
    VerifyLimits limits;
    limits.maxCalls = kMaxCallsProved;
    if (!verifyRecording(job.recording, limits, verification, error) ||
        !provesClaim(verification, job.claim, job.day)) {
        // The game's own recording must replay to its own score: anything else is a fault.
        std::fprintf(stderr,
                     "glimmerwake: the score %d of game %d did not replay from its recording "
                     "(%s); it is not entered\n",
                     job.claim.score, job.claim.index,
                     error.empty() ? "another score" : error.c_str());
        note.status = GameOverNote::Status::Refused;
        setNote(note, job);
        return;
    }
    // The board replays it again itself; a game that did not prove here is never sent.
    if (sender_ != nullptr) {
        sender_->send(job.recording);
    }
    const ScoreStore::Kept kept = store_.keep(job.day, job.entry, job.recording);
    note.rank = kept.rank;
    note.tableLength = kept.tableLength;
    note.recordingPath = kept.recordingPath;
    note.status = !kept.written    ? GameOverNote::Status::Unsaved
                  : kept.rank == 0 ? GameOverNote::Status::NotEntered
                                   : GameOverNote::Status::Entered;
    ScoreTables tables = store_.load();
    const std::lock_guard<std::mutex> lock(mutex_);
    // Another game's entries came in with the read; a table that could not be written stays as
    // it was in memory, with this entry, for the rest of the run.
    if (kept.written) {
        tables_ = std::move(tables);
    } else if (kept.rank > 0) {
        placeInTables(tables_, job.day, job.entry);
    }
    setNoteLocked(note, job);
}

void ScoreKeeper::setNote(GameOverNote note, const Job& job) {
    const std::lock_guard<std::mutex> lock(mutex_);
    setNoteLocked(note, job);
}

// Only the note of the game last ended is shown; a later game's note is not overwritten.
void ScoreKeeper::setNoteLocked(GameOverNote note, const Job& job) {
    if (note_.ticket == job.ticket) {
        note.ticket = job.ticket;
        note.game = job.claim.index;
        note.score = job.claim.score;
        note.day = job.day;
        note_ = note;
    }
}
