#pragma once

#include <vector>

// The changes to the board's tables, in order. Each is applied once, in a transaction of its own
// that also records it in the table board_migrations, so a board started on an older database
// brings it up to date, and one started on a newer database than it knows refuses to run.
// A migration is never edited once released: a change is a new migration.
struct Migration {
    int version;
    const char* description;
    const char* sqlite;
    const char* postgres;
};

const std::vector<Migration>& boardMigrations();
