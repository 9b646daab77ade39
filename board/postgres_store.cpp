// The board on PostgreSQL, for several board processes behind one address.
//
// Connections are kept in a small pool and made as they are needed. A connection that breaks
// (the server stopped, restarted or dropped it) is thrown away and the request is answered with
// StoreUnavailable, which the board turns into a 503; the next request connects anew, so the
// board heals by itself once the server is back. A commit whose outcome is unknown (the
// connection broke during it) is also StoreUnavailable: the upload was not acknowledged, and
// sending it again finds it already there if it was kept after all.
#include "board/migrations.h"
#include "board/store.h"

#include <mutex>
#include <pqxx/pqxx>

namespace {

// Any number: the key of the advisory lock that lets only one board migrate at a time.
constexpr std::int64_t kMigrationLock = 0x67776b62; // "gwkb"
constexpr std::size_t kMaxIdleConnections = 8;

class PostgresStore : public Store {
    // Defined first: the other members' return types are deduced from it.
    // Runs `use` on a pooled connection (made if there is none), and puts the connection back
    // unless it broke.
    template <typename Use> auto withConnection(Use use) {
        std::unique_ptr<pqxx::connection> connection = take();
        try {
            if (!connection) {
                connection = std::make_unique<pqxx::connection>(url_);
            }
            auto result = use(*connection);
            give(std::move(connection));
            return result;
        } catch (const pqxx::broken_connection& error) {
            throw StoreUnavailable(std::string("the database cannot be reached: ") + error.what());
        } catch (const pqxx::in_doubt_error& error) {
            throw StoreUnavailable(std::string("the database's commit is in doubt: ") +
                                   error.what());
        } catch (const pqxx::sql_error& error) {
            // The server is shutting down or starting up, or the connection was ended by an
            // administrator: the statement was fine, the server was not there for it.
            const std::string state = error.sqlstate();
            if (state.rfind("57P", 0) == 0 || state.rfind("08", 0) == 0) {
                throw StoreUnavailable(std::string("the database is unavailable: ") + error.what());
            }
            if (connection && connection->is_open()) {
                give(std::move(connection));
            }
            throw;
        }
    }

    std::unique_ptr<pqxx::connection> take() {
        const std::lock_guard lock(mutex_);
        if (idle_.empty()) {
            return nullptr;
        }
        std::unique_ptr<pqxx::connection> connection = std::move(idle_.back());
        idle_.pop_back();
        return connection;
    }

    void give(std::unique_ptr<pqxx::connection> connection) {
        const std::lock_guard lock(mutex_);
        if (connection->is_open() && idle_.size() < kMaxIdleConnections) {
            idle_.push_back(std::move(connection));
        }
    }

  public:
    explicit PostgresStore(std::string url) : url_(std::move(url)) {
        withConnection([](pqxx::connection& connection) {
            migrate(connection);
            return 0;
        });
    }

    std::optional<std::vector<StoredGame>> add(const Upload& upload) override {
        return withConnection([&](pqxx::connection& connection) {
            pqxx::work work(connection);
            const pqxx::result recording = work.exec_params(
                "INSERT INTO recordings (hash, name, body, received_at) VALUES ($1, $2, $3, $4) "
                "ON CONFLICT (hash) DO NOTHING RETURNING id",
                upload.recordingHash, upload.name, upload.recording, upload.receivedAt);
            if (recording.empty()) {
                return std::optional<std::vector<StoredGame>>();
            }
            const auto recordingId = recording[0][0].as<std::int64_t>();
            std::vector<StoredGame> stored;
            bool anyAdded = false;
            for (std::size_t i = 0; i < upload.games.size(); ++i) {
                stored.push_back(addGame(work, recordingId, upload.games[i], upload.gameHashes[i]));
                anyAdded = anyAdded || stored.back().added;
            }
            if (!anyAdded) {
                // Nothing new: the recording's row goes too (the transaction is not committed).
                return std::optional<std::vector<StoredGame>>();
            }
            work.commit();
            return std::optional(stored);
        });
    }

    std::vector<BoardRow> best(BoardMode mode, const std::string& day, int limit) override {
        return withConnection([&](pqxx::connection& connection) {
            pqxx::read_transaction read(connection);
            const char* const columns =
                "SELECT g.id, r.name, g.score, g.frame, g.boss_destroyed, g.swarm_destroyed, "
                "g.endless_reached, COALESCE(g.day, ''), r.received_at FROM games g JOIN "
                "recordings r ON r.id = g.recording_id ";
            const pqxx::result result =
                mode == BoardMode::Daily
                    ? read.exec_params(std::string(columns) +
                                           "WHERE g.day = $1 ORDER BY g.score DESC, g.id LIMIT $2",
                                       day, limit)
                    : read.exec_params(std::string(columns) + "WHERE g.day IS NULL ORDER BY "
                                                              "g.score DESC, g.id LIMIT $1",
                                       limit);
            std::vector<BoardRow> rows;
            for (const pqxx::row& row : result) {
                rows.push_back({row[0].as<std::int64_t>(), row[1].as<std::string>(),
                                row[2].as<int>(), row[3].as<int>(), row[4].as<bool>(),
                                row[5].as<bool>(), row[6].as<bool>(), row[7].as<std::string>(),
                                row[8].as<std::int64_t>()});
            }
            return rows;
        });
    }

    std::optional<std::string> recording(std::int64_t gameId) override {
        return withConnection([&](pqxx::connection& connection) {
            pqxx::read_transaction read(connection);
            const pqxx::result result =
                read.exec_params("SELECT r.body FROM games g JOIN recordings r "
                                 "ON r.id = g.recording_id WHERE g.id = $1",
                                 gameId);
            return result.empty() ? std::optional<std::string>()
                                  : std::optional(result[0][0].as<std::string>());
        });
    }

    bool healthy() override {
        try {
            return withConnection([](pqxx::connection& connection) {
                pqxx::nontransaction check(connection);
                check.exec("SELECT 1");
                return true;
            });
        } catch (const StoreUnavailable&) {
            return false;
        }
    }

  private:
    // The game, new or found under its hash. A game being added by another board at this moment
    // is waited for by the insert, and then found.
    static StoredGame addGame(pqxx::work& work, std::int64_t recordingId, const VerifiedGame& game,
                              const std::string& hash) {
        // A null pointer is SQL's NULL: free play has no day.
        const char* const day = game.daily ? game.day.c_str() : nullptr;
        const pqxx::result row = work.exec_params(
            "INSERT INTO games (recording_id, hash, game_index, score, frame, boss_destroyed, "
            "swarm_destroyed, endless_reached, day) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9) "
            "ON CONFLICT (hash) DO NOTHING RETURNING id",
            recordingId, hash, game.index, game.score, game.frame, game.bossDestroyed,
            game.swarmDestroyed, game.endlessReached, day);
        if (!row.empty()) {
            return {row[0][0].as<std::int64_t>(), true};
        }
        const pqxx::result existing =
            work.exec_params("SELECT id FROM games WHERE hash = $1", hash);
        return {existing[0][0].as<std::int64_t>(), false};
    }

    static void migrate(pqxx::connection& connection) {
        pqxx::work work(connection);
        // Two boards started at once: the second waits here, then finds the work done.
        work.exec_params("SELECT pg_advisory_xact_lock($1)", kMigrationLock);
        work.exec("CREATE TABLE IF NOT EXISTS board_migrations (version INTEGER PRIMARY KEY, "
                  "description TEXT NOT NULL, applied_at BIGINT NOT NULL)");
        const auto applied =
            work.exec("SELECT COALESCE(MAX(version), 0) FROM board_migrations")[0][0].as<int>();
        const std::vector<Migration>& migrations = boardMigrations();
        if (applied > migrations.back().version) {
            throw std::runtime_error("the database was migrated by a newer board (version " +
                                     std::to_string(applied) + ")");
        }
        for (const Migration& migration : migrations) {
            if (migration.version > applied) {
                work.exec(migration.postgres);
                work.exec_params("INSERT INTO board_migrations VALUES ($1, $2, "
                                 "EXTRACT(EPOCH FROM now())::BIGINT)",
                                 migration.version, migration.description);
            }
        }
        work.commit();
    }

    const std::string url_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<pqxx::connection>> idle_;
};

} // namespace

std::unique_ptr<Store> openPostgresStore(const std::string& url) {
    return std::make_unique<PostgresStore>(url);
}
