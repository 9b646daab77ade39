#pragma once

#include "board/requests.h"
#include "replay/verify.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Where the board keeps its games: SQLite in a folder of its own (the default, for one machine)
// or PostgreSQL (for several board processes behind one address). Both keep the same tables,
// made and brought up to date by the migrations when the board starts.

// One upload that verified: the games it holds and the recording that proves them.
struct Upload {
    std::string name;
    std::string recording; // as the board keeps it (board/recording.h)
    std::string recordingHash;
    std::int64_t receivedAt = 0; // UTC seconds
    std::vector<VerifiedGame> games;
    std::vector<std::string> gameHashes; // one a game (board/recording.h)
};

// A game of an upload as the board has it: new, or there already from an earlier recording.
struct StoredGame {
    std::int64_t id = 0;
    bool added = false;
};

// One row of a board.
struct BoardRow {
    std::int64_t id = 0; // the game's, which GET /api/games/ID takes
    std::string name;
    int score = 0;
    int frame = 0;
    bool bossDestroyed = false;
    bool swarmDestroyed = false;
    bool endlessReached = false;
    std::string day; // daily runs only
    std::int64_t receivedAt = 0;
};

// The database cannot be reached right now: the request may be made again later.
class StoreUnavailable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Store {
  public:
    virtual ~Store() = default;

    // Keeps the upload's games that are not on the board yet, all or none, and returns every
    // game in the order of `games`; nothing when the recording brings no game the board has not
    // got. Once it has returned, the games are on disk: a crash of the board or its machine
    // does not lose them.
    virtual std::optional<std::vector<StoredGame>> add(const Upload& upload) = 0;

    // The best games of a board, highest score first (ties: who was first), at most `limit`.
    virtual std::vector<BoardRow> best(BoardMode mode, const std::string& day, int limit) = 0;

    // The recording of a game, if there is such a game.
    virtual std::optional<std::string> recording(std::int64_t gameId) = 0;

    // Whether the database answers.
    virtual bool healthy() = 0;
};

// Opens (and creates) the board's SQLite database in `folder`, and migrates it.
std::unique_ptr<Store> openSqliteStore(const std::string& folder);

// Connects to PostgreSQL at `url` (postgresql://...), and migrates the database.
std::unique_ptr<Store> openPostgresStore(const std::string& url);
