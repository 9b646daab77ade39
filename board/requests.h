#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// What a request to the board may say, checked before anything is done with it: every query
// field known, every value in its form and bounds. A stranger writes these.

using QueryFields = std::multimap<std::string, std::string>;

// A player's name: 1 to kMaxNameCharacters characters of valid UTF-8, no control characters, no
// characters that reorder or hide text around them, and no blanks at either end. Anything else
// printable is allowed, markup and quotes too: names are data, always shown as text.
constexpr std::size_t kMaxNameCharacters = 32;

// Why `name` is no player's name, or nothing when it is one.
std::optional<std::string> nameProblem(std::string_view name);

// POST /api/games?name=NAME
struct UploadQuery {
    std::string name;
};
std::optional<UploadQuery> parseUploadQuery(const QueryFields& fields, std::string& why);

enum class BoardMode { Free, Daily };

// GET /api/scores?mode=free|daily&day=YYYY-MM-DD&limit=N. A daily board without a day is the
// one of the day `today` (a UTC second) falls in.
constexpr int kDefaultScoresLimit = 20;
constexpr int kMaxScoresLimit = 100;
struct ScoresQuery {
    BoardMode mode = BoardMode::Free;
    std::string day; // daily only
    int limit = kDefaultScoresLimit;
};
std::optional<ScoresQuery> parseScoresQuery(const QueryFields& fields, std::int64_t today,
                                            std::string& why);

// The id in GET /api/games/ID: decimal digits, a positive number that fits the database's ids.
std::optional<std::int64_t> parseGameId(std::string_view text);
