#include "shell/common/score_store.h"

#include "shell/common/data_files.h"

#include <cstdio>

namespace {

constexpr const char* kTableName = "scores";
constexpr const char* kLockName = "scores.lock";
constexpr const char* kRecordingsFolder = "recordings/";

} // namespace

ScoreStore::ScoreStore(std::string folder)
    : folder_(std::move(folder)), tablePath_(folder_ + kTableName), lockPath_(folder_ + kLockName) {
}

std::string ScoreStore::recordingPath(const std::string& name) const {
    return folder_ + kRecordingsFolder + name;
}

void ScoreStore::reportOnce(const std::string& what) {
    if (!reported_) {
        reported_ = true;
        std::fprintf(stderr, "glimmerwake: %s\n", what.c_str());
    }
}

ScoreTables ScoreStore::load() {
    const std::lock_guard<std::mutex> guard(mutex_);
    if (folder_.empty()) {
        return ScoreTables{};
    }
    std::string error;
    DataLock lock;
    // Without the lock the tables are still read: another game may be writing, but every write
    // replaces the file whole.
    lock.acquire(lockPath_, error);
    return loadLocked();
}

ScoreTables ScoreStore::loadLocked() {
    std::string text;
    std::string error;
    const FileRead read = readDataFile(tablePath_, kMaxTableBytes, text, error);
    ScoreTables tables;
    if (read == FileRead::Missing) {
        return tables;
    }
    TableRead outcome = TableRead::Corrupt;
    if (read == FileRead::TooLarge) {
        error = "larger than any table this game writes";
    } else if (read == FileRead::Read) {
        outcome = readTables(text, tables, error);
    } else {
        // Unreadable now is not corrupt: the file is left where it is for the next run. Said once
        // with the rest of the folder's troubles, however often the tables are read.
        reportOnce("cannot read the high scores " + tablePath_ + ": " + error);
        return tables;
    }
    if (outcome == TableRead::Read) {
        return tables;
    }
    std::string asideTo;
    std::string asideError;
    if (!setFileAside(tablePath_, asideTo, asideError)) {
        reportOnce("the high scores " + tablePath_ + " cannot be used (" + error +
                   ") nor set aside: " + asideError);
        return ScoreTables{};
    }
    std::fprintf(stderr,
                 "glimmerwake: the high scores %s cannot be used (%s); kept as %s, and a fresh "
                 "table started\n",
                 tablePath_.c_str(), error.c_str(), asideTo.c_str());
    // Written at once, so that the next run finds it; a folder that takes no writes is said when
    // an entry cannot be kept.
    replaceFile(tablePath_, writeTables(ScoreTables{}), error);
    return ScoreTables{};
}

ScoreStore::Kept ScoreStore::keep(const std::string& day, const ScoreEntry& entry,
                                  std::string_view recording) {
    const std::lock_guard<std::mutex> guard(mutex_);
    Kept kept;
    std::string error;
    if (folder_.empty()) {
        reportOnce("no folder to keep the high scores in (no home folder)");
        kept.written = false;
        return kept;
    }
    DataLock lock;
    if (!makeFolders(folder_ + kRecordingsFolder, error) || !lock.acquire(lockPath_, error)) {
        reportOnce("cannot keep the high scores: " + error + "; the game goes on without them");
        kept.written = false;
        return kept;
    }
    // Read again under the lock: another game may have added entries since this one started.
    ScoreTables tables = loadLocked();
    kept.rank = placeInTables(tables, day, entry);
    kept.tableLength = tableOf(tables, day).size();
    if (kept.rank == 0) {
        return kept;
    }
    kept.recordingPath = recordingPath(entry.recording);
    // The recording first: a table is never written that names a recording not yet on the disk.
    if (!replaceFile(kept.recordingPath, recording, error) ||
        !replaceFile(tablePath_, writeTables(tables), error)) {
        reportOnce("cannot keep the high scores: " + error + "; the game goes on without them");
        kept.written = false;
    }
    return kept;
}
