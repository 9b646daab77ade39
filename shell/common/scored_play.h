#pragma once

#include "game/game.h"
#include "replay/game_cuts.h"
#include "shell/common/recorder.h"
#include "shell/common/score_keeper.h"
#include "shell/common/score_notes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct CallInputs;

// The games of one run of the program as the high scores see them: free play and, while one is
// played, a daily run's attempt, each with its own calls, recording and cut into games. Every
// game that ends goes to the score keeper with the recording of its run through that game. The
// frame function always plays one Game object, `live`: a daily attempt puts a fresh game in it
// and parks free play's game aside, and puts that back when the attempt is over.
// A run's name for its recordings: "20261208-213005-4242", its start (UTC) and its process.
std::string runNameOf(std::int64_t startSeconds, long processId);

class ScoredPlay {
  public:
    struct Options {
        // Start with the daily run (--daily).
        bool daily = false;
        // Games are entered in the table; false while a recording is watched, whose games are
        // not the player's.
        bool keepScores = true;
        // The user's data folder, empty for none.
        std::string folder;
        // Names this run's recordings apart from every other run's: its start and its process.
        std::string runName;
        // The user's home folder, shown as "~" in the notes.
        std::string home;
        // The settings as read at the start; a change is written back whole.
        Settings settings;
        // Where the games that prove go besides the table, when the player chose a score board;
        // none by default.
        std::shared_ptr<ScoreSender> sender;
    };
    ScoredPlay(const Options& options, Game& live);

    bool playingDaily() const { return daily_.has_value(); }
    // The call about to run, numbered in its own run (a daily attempt's from 0), and free
    // play's.
    int calls() const { return run().calls; }
    int freeCalls() const { return free_.calls; }

    // Before a call. `dailyKey` is the menu's daily-run key, down or not; `seconds` the
    // calendar. Starts a daily attempt when asked for in free play's menu, and returns the
    // calendar second the call's game is to see: the daily run's own clock, or `seconds`.
    std::int64_t beginCall(bool dailyKey, std::int64_t seconds);
    // The call's inputs, as the game is given them: recorded into its run.
    void noteInputs(const CallInputs& inputs);
    // After the call; `seconds` is the real calendar, the time its entry is dated.
    void endCall(std::int64_t seconds);
    // The run ends (quit, the window closed, SIGTERM): the game in play ends with it.
    void finish(std::int64_t seconds);

    // The lines to draw over the frame the last call drew.
    std::vector<NoteLine> notes() const;
    // Waits for the keeper to prove and keep every game handed to it (the end of the run).
    void waitForScores();
    // The sound's state after every pass: a change the player made (M) is remembered in the
    // settings. The state it starts in, perhaps set by the command line, is not.
    void noteMuted(bool muted);
    // Whether the music plays, likewise remembered when the player switches it.
    void noteMusic(bool on);

  private:
    struct Run {
        GameCuts cuts;
        RecordingLines lines;
        std::string script;
        int calls = 0;
        // The daily run's day and its 00:00 UTC; empty for free play.
        std::string day;
        std::int64_t epoch = 0;
        std::string name;
        // The ticket of the game over the note is about, 0 for none.
        int noteTicket = 0;
        int lastScore = 0;
    };
    Run& run();
    const Run& run() const;
    void startDaily(std::int64_t seconds);
    void gameEnded(Run& run, const VerifiedGame& game, std::int64_t seconds);
    std::string recordingName(const Run& run, int game) const;
    // The menu's line on the games sent to the score board, empty without one.
    std::string boardLine() const;

    Options options_;
    Game& live_;
    // After options_: the keeper and its thread, which hand games to options_.sender, end first.
    std::unique_ptr<ScoreKeeper> keeper_;
    Run free_;
    std::optional<Run> daily_;
    // Free play's game while a daily attempt is played.
    std::optional<Game> parkedFree_;
    int dailyAttempts_ = 0;
    bool dailyKeyWasDown_ = true;
    bool dailyEnded_ = false;
    // The calendar the last call began with: the menu names today's daily run by it.
    std::int64_t lastSeconds_ = 0;
    std::optional<bool> muted_;
    std::optional<bool> musicOn_;
};
