#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The high-score tables: the best games of free play, and of every day's daily run, each proved by
// the recording of the run that played it. The tables live in one text file (docs/scores.md says
// its format); this is the reading, writing and ranking of it, and nothing of files or clocks.

struct ScoreEntry {
    int score = 0;
    // When the game ended: seconds since 1970, UTC.
    std::int64_t when = 0;
    // The frame counter the game reached.
    int frame = 0;
    bool bossDestroyed = false;
    bool swarmDestroyed = false;
    bool endlessReached = false;
    // The file name of the recording in the recordings folder (never a path), and which game in
    // it this is: 1 for its first.
    std::string recording;
    int game = 1;
};

// Best first. The higher score ranks higher; of equal scores the one made first keeps the higher
// place, so a tie never pushes an entry down. The rest only makes the order total.
bool ranksAbove(const ScoreEntry& a, const ScoreEntry& b);

constexpr std::size_t kTableSize = 10;

// Where `entry` would stand in `table` (kept in order, at most kTableSize long): 1 for the top,
// 0 when it would not enter. A score of 0 never enters: there is nothing to beat.
int rankFor(const std::vector<ScoreEntry>& table, const ScoreEntry& entry);
// Puts `entry` in its place and drops what falls off the end; returns its rank, or 0 when it did
// not enter (the table is then unchanged). The same game of the same recording enters only once.
int placeEntry(std::vector<ScoreEntry>& table, const ScoreEntry& entry);

struct ScoreTables {
    std::vector<ScoreEntry> freePlay;
    // By day, "YYYY-MM-DD" (UTC), oldest first.
    std::map<std::string, std::vector<ScoreEntry>> daily;
};

// The days kept: ten years of daily runs. Past it the oldest day's table is dropped, so that the
// file, rewritten at every new entry, stays small.
constexpr std::size_t kMaxDays = 3660;

// A day as its tables name it, and back. `isDayName` checks a real date (2026-02-30 is not one).
std::string dayName(std::int64_t secondsSince1970);
bool isDayName(std::string_view text);
// The second at 00:00 UTC of a day named by `isDayName`.
std::int64_t dayStart(std::string_view day);

// A recording's file name as the table may hold it: 1 to 100 of letters, digits, '-', '_' and
// '.', not starting with '.'. Nothing else can name a file outside the recordings folder.
bool isRecordingName(std::string_view name);

enum class TableRead {
    Read,    // the tables are in `tables`
    Corrupt, // not a table this program wrote: `error` says where and why
    Newer,   // written by a later version of the game, whose format this one does not know
};

// Reads the text of a scores file, strictly: every line must be as the format says, numbers in
// range, tables in order, nothing twice. A file over kMaxTableBytes is corrupt unread.
constexpr std::size_t kMaxTableBytes = std::size_t{4} << 20;
TableRead readTables(std::string_view text, ScoreTables& tables, std::string& error);
std::string writeTables(const ScoreTables& tables);

// "2026-12-08 21:30:05" (UTC).
std::string dateAndTime(std::int64_t secondsSince1970);
// "boss, swarm, endless", the milestones reached, or "-".
std::string milestoneText(const ScoreEntry& entry);
// "NEW BEST", "2nd of 10", ...
std::string rankText(int rank, std::size_t tableLength);

// Places `entry` in free play's table (`day` empty) or in that day's; returns its rank, 0 when it
// did not enter. A new day beyond kMaxDays drops the oldest.
int placeInTables(ScoreTables& tables, const std::string& day, const ScoreEntry& entry);
// The table of free play or of a day; empty when there is none.
const std::vector<ScoreEntry>& tableOf(const ScoreTables& tables, const std::string& day);
