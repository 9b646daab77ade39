#include "board/migrations.h"

const std::vector<Migration>& boardMigrations() {
    static const std::vector<Migration> migrations = {
        {1, "recordings and their verified games",
         R"sql(
CREATE TABLE recordings (
    id INTEGER PRIMARY KEY,
    hash TEXT NOT NULL UNIQUE,
    name TEXT NOT NULL,
    body TEXT NOT NULL,
    received_at INTEGER NOT NULL
);
CREATE TABLE games (
    id INTEGER PRIMARY KEY,
    recording_id INTEGER NOT NULL REFERENCES recordings (id),
    hash TEXT NOT NULL UNIQUE,
    game_index INTEGER NOT NULL,
    score INTEGER NOT NULL,
    frame INTEGER NOT NULL,
    boss_destroyed INTEGER NOT NULL,
    swarm_destroyed INTEGER NOT NULL,
    endless_reached INTEGER NOT NULL,
    day TEXT
);
CREATE INDEX games_free_board ON games (score DESC, id) WHERE day IS NULL;
CREATE INDEX games_daily_board ON games (day, score DESC, id) WHERE day IS NOT NULL;
CREATE INDEX games_recording ON games (recording_id);
)sql",
         R"sql(
CREATE TABLE recordings (
    id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    hash TEXT NOT NULL UNIQUE,
    name TEXT NOT NULL,
    body TEXT NOT NULL,
    received_at BIGINT NOT NULL
);
CREATE TABLE games (
    id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    recording_id BIGINT NOT NULL REFERENCES recordings (id),
    hash TEXT NOT NULL UNIQUE,
    game_index INTEGER NOT NULL,
    score INTEGER NOT NULL,
    frame INTEGER NOT NULL,
    boss_destroyed BOOLEAN NOT NULL,
    swarm_destroyed BOOLEAN NOT NULL,
    endless_reached BOOLEAN NOT NULL,
    day TEXT
);
CREATE INDEX games_free_board ON games (score DESC, id) WHERE day IS NULL;
CREATE INDEX games_daily_board ON games (day, score DESC, id) WHERE day IS NOT NULL;
CREATE INDEX games_recording ON games (recording_id);
)sql"},
    };
    return migrations;
}
