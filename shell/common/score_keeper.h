#pragma once

#include "replay/verify.h"
#include "shell/common/score_sender.h"
#include "shell/common/score_store.h"
#include "shell/common/settings.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// What the game-over note says of the game that just ended.
struct GameOverNote {
    enum class Status {
        None,       // no game has ended yet
        Checking,   // its recording is being replayed to prove the score
        Entered,    // proved and kept: `rank` of `tableLength`, recording at `recordingPath`
        NotEntered, // below the table's ten
        Refused,    // its recording did not replay to its score (a fault of the game: said)
        Unsaved,    // proved, but the folder could not be written
    };
    Status status = Status::None;
    // Which ended game this note is about: gameEnded's number for it.
    int ticket = 0;
    int game = 0;
    int score = 0;
    int rank = 0;
    std::size_t tableLength = 0;
    std::string day;
    std::string recordingPath;
};

// Keeps the high scores while the game runs: a game that ends with a score that would enter its
// table is replayed from its recording with the rules alone, on a thread of its own, and entered
// (recording, then table) only when the replay ends with the same score. The frame that ends the
// game only hands the work over; nothing here ever holds a frame up.
class ScoreKeeper {
  public:
    // Reads the tables now, before the first frame. `folder` is the user's data folder. With a
    // `sender` (the player chose a score board), every game proved is also handed to it; it must
    // outlive the keeper.
    explicit ScoreKeeper(std::string folder, ScoreSender* sender = nullptr);
    ScoreKeeper(const ScoreKeeper&) = delete;
    ScoreKeeper& operator=(const ScoreKeeper&) = delete;
    // Finishes the games handed over (the window closed just after a game ended keeps it too).
    ~ScoreKeeper();

    // A game ended. `recording` is the script of its whole run through the game's last call, with
    // its `end`; `name` the file name to keep it under; `day` the daily run's, empty for free
    // play; `when` the calendar second the game ended in. Returns the ticket its note will carry.
    int gameEnded(const VerifiedGame& game, const std::string& day, std::int64_t when,
                  std::string recording, const std::string& name);

    // The best score of free play (`day` empty) or of the day's daily run; 0 when there is none.
    int best(const std::string& day) const;
    GameOverNote lastNote() const;
    // Writes the settings into the data folder, on the keeper's thread: a slow disk never holds a
    // frame up for them either.
    void saveSettingsLater(const Settings& settings);
    // Waits until every game handed over is kept or refused (for tests and the end of a run).
    void waitUntilDone();

  private:
    struct Job {
        int ticket = 0;
        VerifiedGame claim;
        std::string day;
        ScoreEntry entry;
        std::string recording;
    };
    void run();
    void prove(const Job& job);
    void setNote(GameOverNote note, const Job& job);
    void setNoteLocked(GameOverNote note, const Job& job);

    ScoreStore store_;
    ScoreSender* const sender_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    ScoreTables tables_;
    GameOverNote note_;
    std::deque<Job> jobs_;
    // The settings still to be written: only the latest counts.
    std::optional<Settings> settings_;
    int tickets_ = 0;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};
