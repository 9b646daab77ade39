#include "shell/common/score_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <tuple>

namespace {

constexpr const char* kHeader = "glimmerwake-scores";
constexpr int kFormatVersion = 1;
constexpr std::int64_t kSecondsPerDay = 86400;
// The calendar the tables can name: from 1970 to the end of 9999, four-digit years.
constexpr int kFirstYear = 1970;
constexpr int kLastYear = 9999;
constexpr std::size_t kMaxRecordingName = 100;
// No line the format has comes near it; a longer one is not ours.
constexpr std::size_t kMaxLineBytes = 256;
// A game lasts far fewer frames than this; a bigger number is an edited file.
constexpr int kMaxFrame = 1000000000;

struct Date {
    int year;
    int month;
    int day;
};

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar, and back (the usual
// era-of-400-years reckoning, exact for every date the tables can hold).
std::int64_t daysFromDate(Date d) {
    const int y = d.year - (d.month <= 2 ? 1 : 0);
    const int era = y / 400;
    const int yearOfEra = y - era * 400;
    const int monthFromMarch = d.month + (d.month > 2 ? -3 : 9);
    const int dayOfYear = (153 * monthFromMarch + 2) / 5 + d.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return std::int64_t{era} * 146097 + dayOfEra - 719468;
}

Date dateFromDays(std::int64_t days) {
    const std::int64_t z = days + 719468;
    const std::int64_t era = z / 146097;
    const int dayOfEra = static_cast<int>(z - era * 146097);
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    const int month = monthFromMarch + (monthFromMarch < 10 ? 3 : -9);
    const int year = static_cast<int>(yearOfEra + era * 400) + (month <= 2 ? 1 : 0);
    return Date{year, month, day};
}

std::int64_t secondsInRange(std::int64_t seconds) {
    const std::int64_t last = (daysFromDate(Date{kLastYear, 12, 31}) + 1) * kSecondsPerDay - 1;
    return std::clamp<std::int64_t>(seconds, 0, last);
}

// Reads exactly `digits` decimal digits at `at`.
bool readDigits(std::string_view text, std::size_t at, std::size_t digits, int& value) {
    if (at + digits > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// "YYYY-MM-DD" at the start of `text`, a real date.
bool readDate(std::string_view text, Date& date) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-' ||
        !readDigits(text, 0, 4, date.year) || !readDigits(text, 5, 2, date.month) ||
        !readDigits(text, 8, 2, date.day)) {
        return false;
    }
    if (date.year < kFirstYear || date.month < 1 || date.month > 12 || date.day < 1) {
        return false;
    }
    // The month's length is whatever brings the next month's first day.
    const Date next =
        date.month == 12 ? Date{date.year + 1, 1, 1} : Date{date.year, date.month + 1, 1};
    return daysFromDate(date) < daysFromDate(next);
}

// A decimal number from 0 to `max`, digits only, no leading zeros but for 0 itself.
template <typename Number> bool readNumber(std::string_view word, Number max, Number& value) {
    // from_chars takes a sign too, and "-0" would read as 0 and be written back as "0".
    if (word.empty() || word[0] < '0' || word[0] > '9' || (word.size() > 1 && word[0] == '0')) {
        return false;
    }
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size() && value >= 0 && value <= max;
}

// "2026-12-08T21:30:05Z"
bool readTimestamp(std::string_view word, std::int64_t& seconds) {
    Date date{};
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (word.size() != 20 || !readDate(word, date) || word[10] != 'T' || word[13] != ':' ||
        word[16] != ':' || word[19] != 'Z' || !readDigits(word, 11, 2, hour) ||
        !readDigits(word, 14, 2, minute) || !readDigits(word, 17, 2, second) || hour > 23 ||
        minute > 59 || second > 59) {
        return false;
    }
    seconds = daysFromDate(date) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    return true;
}

std::string timestamp(std::int64_t seconds) {
    const std::int64_t clamped = secondsInRange(seconds);
    const Date date = dateFromDays(clamped / kSecondsPerDay);
    const int inDay = static_cast<int>(clamped % kSecondsPerDay);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", date.year, date.month,
                  date.day, inDay / 3600, inDay / 60 % 60, inDay % 60);
    return text;
}

struct Milestone {
    const char* name;
    bool ScoreEntry::*reached;
};
const std::array<Milestone, 3> kMilestones{{{"boss", &ScoreEntry::bossDestroyed},
                                            {"swarm", &ScoreEntry::swarmDestroyed},
                                            {"endless", &ScoreEntry::endlessReached}}};

std::string milestoneWord(const ScoreEntry& entry) {
    std::string word;
    for (const Milestone& milestone : kMilestones) {
        if (entry.*milestone.reached) {
            word += (word.empty() ? "" : ",") + std::string(milestone.name);
        }
    }
    return word.empty() ? "-" : word;
}

// The milestones' word: "-", or some of them in their order, comma-separated.
bool readMilestones(std::string_view word, ScoreEntry& entry) {
    if (word == "-") {
        return true;
    }
    std::size_t next = 0;
    for (const Milestone& milestone : kMilestones) {
        const std::string_view name = milestone.name;
        if (next <= word.size() && word.substr(next, name.size()) == name &&
            (next + name.size() == word.size() || word[next + name.size()] == ',')) {
            entry.*milestone.reached = true;
            next += name.size() + 1;
        }
    }
    return next == word.size() + 1;
}

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t space = std::min(line.find(' ', start), line.size());
        words.push_back(line.substr(start, space - start));
        start = space + 1;
    }
    return words;
}

// entry SCORE WHEN FRAME MILESTONES GAME RECORDING
bool readEntry(const std::vector<std::string_view>& words, ScoreEntry& entry) {
    constexpr int kMaxScore = 2000000000;
    constexpr int kMaxGame = 1000000;
    if (words.size() != 7 || words[0] != "entry" || !isRecordingName(words[6])) {
        return false;
    }
    entry.recording = std::string(words[6]);
    return readNumber(words[1], kMaxScore, entry.score) && entry.score > 0 &&
           readTimestamp(words[2], entry.when) && readNumber(words[3], kMaxFrame, entry.frame) &&
           readMilestones(words[4], entry) && readNumber(words[5], kMaxGame, entry.game) &&
           entry.game > 0;
}

bool sameGame(const ScoreEntry& a, const ScoreEntry& b) {
    return a.recording == b.recording && a.game == b.game;
}

class TableReader {
  public:
    TableReader(ScoreTables& tables, std::string& error) : tables_(tables), error_(error) {}

    TableRead read(std::string_view text) {
        if (text.size() > kMaxTableBytes) {
            return fail("larger than any table this game writes");
        }
        if (text.empty() || text.back() != '\n') {
            return fail("it does not end with a whole line");
        }
        while (!text.empty()) {
            const std::size_t newline = text.find('\n');
            const std::string_view line = text.substr(0, newline);
            text.remove_prefix(newline + 1);
            ++lineNumber_;
            const TableRead outcome = readLine(line);
            if (outcome != TableRead::Read) {
                return outcome;
            }
        }
        return finishTable() ? TableRead::Read : TableRead::Corrupt;
    }

  private:
    TableRead fail(const std::string& why) {
        error_ = (lineNumber_ > 0 ? "line " + std::to_string(lineNumber_) + ": " : "") + why;
        return TableRead::Corrupt;
    }

    TableRead readHeader(const std::vector<std::string_view>& words) {
        int version = 0;
        if (words.size() != 2 || words[0] != kHeader || !readNumber(words[1], 1000000, version) ||
            version == 0) {
            return fail("not a Glimmerwake scores file");
        }
        if (version > kFormatVersion) {
            error_ =
                "written by a newer version of the game (format " + std::to_string(version) + ")";
            return TableRead::Newer;
        }
        return version == kFormatVersion ? TableRead::Read : fail("an unknown format version");
    }

    // `table free` or `table daily YYYY-MM-DD`, each once, the days in order after free play.
    TableRead readTableLine(const std::vector<std::string_view>& words) {
        if (!finishTable()) {
            return TableRead::Corrupt;
        }
        if (words.size() == 2 && words[1] == "free" && current_ == nullptr &&
            tables_.daily.empty() && !freeSeen_) {
            freeSeen_ = true;
            current_ = &tables_.freePlay;
            return TableRead::Read;
        }
        if (words.size() != 3 || words[1] != "daily" || !isDayName(words[2])) {
            return fail("not a table's name");
        }
        const std::string day(words[2]);
        if (!tables_.daily.empty() && tables_.daily.rbegin()->first >= day) {
            return fail("a day out of order, or twice");
        }
        if (tables_.daily.size() == kMaxDays) {
            return fail("more days than the game keeps");
        }
        current_ = &tables_.daily[day];
        return TableRead::Read;
    }

    TableRead readLine(std::string_view line) {
        if (line.size() > kMaxLineBytes) {
            return fail("a line longer than any the format has");
        }
        const std::vector<std::string_view> words = splitWords(line);
        if (lineNumber_ == 1) {
            return readHeader(words);
        }
        if (words[0] == "table") {
            return readTableLine(words);
        }
        ScoreEntry entry;
        if (current_ == nullptr || !readEntry(words, entry)) {
            return fail("not an entry of a table");
        }
        if (current_->size() == kTableSize) {
            return fail("more than " + std::to_string(kTableSize) + " entries in a table");
        }
        if (!current_->empty() && !ranksAbove(current_->back(), entry)) {
            return fail("an entry out of order");
        }
        for (const ScoreEntry& other : *current_) {
            if (sameGame(other, entry)) {
                return fail("the same game twice");
            }
        }
        current_->push_back(entry);
        return TableRead::Read;
    }

    // A table named but left empty is not one this game writes.
    bool finishTable() {
        if (current_ != nullptr && current_->empty()) {
            fail("an empty table");
            return false;
        }
        return true;
    }

    ScoreTables& tables_;
    std::string& error_;
    int lineNumber_ = 0;
    std::vector<ScoreEntry>* current_ = nullptr;
    bool freeSeen_ = false;
};

void writeTable(std::string& out, const std::string& name, const std::vector<ScoreEntry>& table) {
    if (table.empty()) {
        return;
    }
    out += "table " + name + "\n";
    for (const ScoreEntry& entry : table) {
        out += "entry " + std::to_string(entry.score) + " " + timestamp(entry.when) + " " +
               std::to_string(entry.frame) + " " + milestoneWord(entry) + " " +
               std::to_string(entry.game) + " " + entry.recording + "\n";
    }
}

} // namespace

bool ranksAbove(const ScoreEntry& a, const ScoreEntry& b) {
    return std::make_tuple(-std::int64_t{a.score}, a.when, a.recording, a.game) <
           std::make_tuple(-std::int64_t{b.score}, b.when, b.recording, b.game);
}

int rankFor(const std::vector<ScoreEntry>& table, const ScoreEntry& entry) {
    if (entry.score <= 0) {
        return 0;
    }
    const auto place = std::find_if(table.begin(), table.end(), [&](const ScoreEntry& other) {
        return ranksAbove(entry, other);
    });
    const std::size_t rank = static_cast<std::size_t>(place - table.begin()) + 1;
    return rank <= kTableSize ? static_cast<int>(rank) : 0;
}

int placeEntry(std::vector<ScoreEntry>& table, const ScoreEntry& entry) {
    const bool present = std::any_of(table.begin(), table.end(), [&](const ScoreEntry& other) {
        return sameGame(other, entry);
    });
    const int rank = present ? 0 : rankFor(table, entry);
    if (rank == 0) {
        return 0;
    }
    table.insert(table.begin() + (rank - 1), entry);
    if (table.size() > kTableSize) {
        table.resize(kTableSize);
    }
    return rank;
}

std::string dayName(std::int64_t secondsSince1970) {
    return timestamp(secondsSince1970).substr(0, 10);
}

bool isDayName(std::string_view text) {
    Date date{};
    return text.size() == 10 && readDate(text, date) && date.year <= kLastYear;
}

std::int64_t dayStart(std::string_view day) {
    Date date{};
    return readDate(day, date) ? daysFromDate(date) * kSecondsPerDay : 0;
}

bool isRecordingName(std::string_view name) {
    const auto allowed = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_' || c == '.';
    };
    return !name.empty() && name.size() <= kMaxRecordingName && name[0] != '.' &&
           std::all_of(name.begin(), name.end(), allowed);
}

TableRead readTables(std::string_view text, ScoreTables& tables, std::string& error) {
    tables = ScoreTables{};
    const TableRead outcome = TableReader(tables, error).read(text);
    if (outcome != TableRead::Read) {
        tables = ScoreTables{};
    }
    return outcome;
}

std::string writeTables(const ScoreTables& tables) {
    std::string out = std::string(kHeader) + " " + std::to_string(kFormatVersion) + "\n";
    writeTable(out, "free", tables.freePlay);
    for (const auto& [day, table] : tables.daily) {
        writeTable(out, "daily " + day, table);
    }
    return out;
}

std::string dateAndTime(std::int64_t secondsSince1970) {
    std::string text = timestamp(secondsSince1970);
    text[10] = ' ';
    text.pop_back();
    return text;
}

std::string milestoneText(const ScoreEntry& entry) {
    std::string text = milestoneWord(entry);
    std::string spaced;
    for (const char c : text) {
        spaced += c;
        if (c == ',') {
            spaced += ' ';
        }
    }
    return spaced;
}

std::string rankText(int rank, std::size_t tableLength) {
    if (rank == 1) {
        return "NEW BEST";
    }
    const int lastTwo = rank % 100;
    const char* suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        suffix = rank % 10 == 1 ? "st" : rank % 10 == 2 ? "nd" : rank % 10 == 3 ? "rd" : "th";
    }
    return std::to_string(rank) + suffix + " of " + std::to_string(tableLength);
}

int placeInTables(ScoreTables& tables, const std::string& day, const ScoreEntry& entry) {
    if (day.empty()) {
        return placeEntry(tables.freePlay, entry);
    }
    std::vector<ScoreEntry> table = tableOf(tables, day);
    const int rank = placeEntry(table, entry);
    if (rank == 0) {
        return 0;
    }
    tables.daily[day] = std::move(table);
    while (tables.daily.size() > kMaxDays) {
        tables.daily.erase(tables.daily.begin());
    }
    // A day so old it was dropped at once did not enter after all.
    return tables.daily.count(day) != 0 ? rank : 0;
}

const std::vector<ScoreEntry>& tableOf(const ScoreTables& tables, const std::string& day) {
    static const std::vector<ScoreEntry> kNone;
    if (day.empty()) {
        return tables.freePlay;
    }
    const auto found = tables.daily.find(day);
    return found != tables.daily.end() ? found->second : kNone;
}
