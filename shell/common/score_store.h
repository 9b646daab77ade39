#pragma once

#include "shell/common/score_table.h"

#include <mutex>
#include <string>
#include <string_view>

// The high scores on the disk, in the user's data folder: the tables in `scores`, the recording
// of every entry in `recordings/`. Writes go recordings first, table last, each replaced whole
// (shell/common/data_files.h), under a lock that every running game takes, so two games ending
// at once both keep their entries. A table that cannot be read is set aside, never deleted; what
// goes wrong is said once on standard error, and the game plays on whatever happens here.
class ScoreStore {
  public:
    // `folder` ends in its separator; empty when there is no data folder at all.
    explicit ScoreStore(std::string folder);

    // The tables as they are on the disk (none when there are none yet). A corrupt table, or one
    // from a newer version, is set aside and said, and the fresh tables returned.
    ScoreTables load();

    struct Kept {
        // Where the entry stands in its table, 0 when it did not enter; and the table's length.
        int rank = 0;
        std::size_t tableLength = 0;
        // The recording's full path, when it entered.
        std::string recordingPath;
        // False when it would have entered but could not be written.
        bool written = true;
    };
    // Enters `entry` in free play's table (`day` empty) or the day's, if it makes the ten: its
    // recording, `recording`, is written under `entry.recording` first, then the table. Another
    // game's entries written since are kept.
    Kept keep(const std::string& day, const ScoreEntry& entry, std::string_view recording);

    std::string recordingPath(const std::string& name) const;
    const std::string& tablePath() const { return tablePath_; }
    const std::string& folder() const { return folder_; }

  private:
    ScoreTables loadLocked();
    // Says `what` on standard error unless something already was: one message, not one a game.
    void reportOnce(const std::string& what);

    std::string folder_;
    std::string tablePath_;
    std::string lockPath_;
    std::mutex mutex_;
    bool reported_ = false;
};
