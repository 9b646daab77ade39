// The board on SQLite: one file in the board's folder, written by this one process.
//
// The journal is a write-ahead log with synchronous=FULL: every commit reaches the disk (an
// fsync of the log) before the board acknowledges the upload, so a board killed at any moment,
// or a machine that loses its power, keeps every game it answered for, and a transaction cut
// short is rolled back when the file is next opened. NORMAL would lose only commits not yet
// checkpointed on a power cut, but an fsync costs far less than the verification each upload
// already paid for, so the board takes the stronger promise.
#include "board/migrations.h"
#include "board/store.h"

#include <filesystem>
#include <mutex>
#include <sqlite3.h>

namespace {

constexpr int kBusyTimeoutMs = 5000;
constexpr const char* kDatabaseFile = "board.sqlite3";

class Statement {
  public:
    Statement(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK) {
            throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db));
        }
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, std::int64_t value) {
        check(sqlite3_bind_int64(statement_, index, value));
        return *this;
    }
    Statement& bind(int index, const std::string& text) {
        check(sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                                SQLITE_TRANSIENT));
        return *this;
    }
    Statement& bindNull(int index) {
        check(sqlite3_bind_null(statement_, index));
        return *this;
    }
    // True while there is a row.
    bool step() {
        const int result = sqlite3_step(statement_);
        if (result == SQLITE_ROW) {
            return true;
        }
        if (result != SQLITE_DONE) {
            throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db_));
        }
        return false;
    }
    std::int64_t integer(int column) const { return sqlite3_column_int64(statement_, column); }
    std::string text(int column) const {
        const auto* data = sqlite3_column_text(statement_, column);
        return data == nullptr ? std::string()
                               : std::string(reinterpret_cast<const char*>(data),
                                             sqlite3_column_bytes(statement_, column));
    }

  private:
    void check(int result) const {
        if (result != SQLITE_OK) {
            throw std::runtime_error(std::string("SQLite: ") + sqlite3_errmsg(db_));
        }
    }
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

void execute(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        throw std::runtime_error("SQLite: " + text);
    }
}

// A transaction that rolls back unless committed.
class Transaction {
  public:
    explicit Transaction(sqlite3* db) : db_(db) { execute(db, "BEGIN IMMEDIATE"); }
    ~Transaction() {
        if (open_) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit() {
        execute(db_, "COMMIT");
        open_ = false;
    }

  private:
    sqlite3* db_;
    bool open_ = true;
};

class SqliteStore : public Store {
  public:
    explicit SqliteStore(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db_,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK) {
            const std::string why = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            throw std::runtime_error("cannot open " + path + ": " + why);
        }
        sqlite3_busy_timeout(db_, kBusyTimeoutMs);
        execute(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON");
        migrate();
    }
    ~SqliteStore() override { sqlite3_close(db_); }
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    std::optional<std::vector<StoredGame>> add(const Upload& upload) override {
        const std::lock_guard lock(mutex_);
        Transaction transaction(db_);
        Statement recording(db_, "INSERT INTO recordings (hash, name, body, received_at) "
                                 "VALUES (?1, ?2, ?3, ?4) ON CONFLICT (hash) DO NOTHING "
                                 "RETURNING id");
        recording.bind(1, upload.recordingHash).bind(2, upload.name).bind(3, upload.recording);
        recording.bind(4, upload.receivedAt);
        if (!recording.step()) {
            return std::nullopt;
        }
        const std::int64_t recordingId = recording.integer(0);
        recording.step();
        std::vector<StoredGame> stored;
        bool anyAdded = false;
        for (std::size_t i = 0; i < upload.games.size(); ++i) {
            stored.push_back(addGame(recordingId, upload.games[i], upload.gameHashes[i]));
            anyAdded = anyAdded || stored.back().added;
        }
        if (!anyAdded) {
            return std::nullopt;
        }
        transaction.commit();
        return stored;
    }

    std::vector<BoardRow> best(BoardMode mode, const std::string& day, int limit) override {
        const std::lock_guard lock(mutex_);
        const bool daily = mode == BoardMode::Daily;
        Statement query(db_, daily ? "SELECT g.id, r.name, g.score, g.frame, g.boss_destroyed, "
                                     "g.swarm_destroyed, g.endless_reached, g.day, r.received_at "
                                     "FROM games g JOIN recordings r ON r.id = g.recording_id "
                                     "WHERE g.day = ?1 ORDER BY g.score DESC, g.id LIMIT ?2"
                                   : "SELECT g.id, r.name, g.score, g.frame, g.boss_destroyed, "
                                     "g.swarm_destroyed, g.endless_reached, g.day, r.received_at "
                                     "FROM games g JOIN recordings r ON r.id = g.recording_id "
                                     "WHERE g.day IS NULL ORDER BY g.score DESC, g.id LIMIT ?2");
        if (daily) {
            query.bind(1, day);
        }
        query.bind(2, std::int64_t{limit});
        std::vector<BoardRow> rows;
        while (query.step()) {
            rows.push_back({query.integer(0), query.text(1), static_cast<int>(query.integer(2)),
                            static_cast<int>(query.integer(3)), query.integer(4) != 0,
                            query.integer(5) != 0, query.integer(6) != 0, query.text(7),
                            query.integer(8)});
        }
        return rows;
    }

    std::optional<std::string> recording(std::int64_t gameId) override {
        const std::lock_guard lock(mutex_);
        Statement query(db_, "SELECT r.body FROM games g JOIN recordings r "
                             "ON r.id = g.recording_id WHERE g.id = ?1");
        query.bind(1, gameId);
        if (!query.step()) {
            return std::nullopt;
        }
        return query.text(0);
    }

    bool healthy() override {
        const std::lock_guard lock(mutex_);
        return sqlite3_exec(db_, "SELECT 1", nullptr, nullptr, nullptr) == SQLITE_OK;
    }

  private:
    // The game, new or found under its hash.
    StoredGame addGame(std::int64_t recordingId, const VerifiedGame& game,
                       const std::string& hash) {
        Statement insert(db_, "INSERT INTO games (recording_id, hash, game_index, score, frame, "
                              "boss_destroyed, swarm_destroyed, endless_reached, day) "
                              "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9) "
                              "ON CONFLICT (hash) DO NOTHING RETURNING id");
        insert.bind(1, recordingId).bind(2, hash).bind(3, game.index).bind(4, game.score);
        insert.bind(5, game.frame).bind(6, game.bossDestroyed).bind(7, game.swarmDestroyed);
        insert.bind(8, game.endlessReached);
        if (game.daily) {
            insert.bind(9, game.day);
        } else {
            insert.bindNull(9);
        }
        if (insert.step()) {
            const StoredGame added{insert.integer(0), true};
            insert.step();
            return added;
        }
        Statement existing(db_, "SELECT id FROM games WHERE hash = ?1");
        existing.bind(1, hash);
        existing.step();
        return {existing.integer(0), false};
    }

    void migrate() {
        execute(db_, "CREATE TABLE IF NOT EXISTS board_migrations (version INTEGER PRIMARY KEY, "
                     "description TEXT NOT NULL, applied_at INTEGER NOT NULL)");
        Transaction transaction(db_);
        const std::int64_t applied = [this] {
            Statement newest(db_, "SELECT COALESCE(MAX(version), 0) FROM board_migrations");
            newest.step();
            return newest.integer(0);
        }();
        const std::vector<Migration>& migrations = boardMigrations();
        if (applied > migrations.back().version) {
            throw std::runtime_error("the database was migrated by a newer board (version " +
                                     std::to_string(applied) + ")");
        }
        for (const Migration& migration : migrations) {
            if (migration.version <= applied) {
                continue;
            }
            execute(db_, migration.sqlite);
            Statement record(db_, "INSERT INTO board_migrations VALUES (?1, ?2, "
                                  "CAST(strftime('%s', 'now') AS INTEGER))");
            record.bind(1, std::int64_t{migration.version}).bind(2, migration.description);
            record.step();
        }
        transaction.commit();
    }

    std::mutex mutex_;
    sqlite3* db_ = nullptr;
};

} // namespace

std::unique_ptr<Store> openSqliteStore(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw std::runtime_error("cannot make the data folder " + folder + ": " + error.message());
    }
    return std::make_unique<SqliteStore>((std::filesystem::path(folder) / kDatabaseFile).string());
}
