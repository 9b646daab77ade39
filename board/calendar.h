#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Days as the board counts them: calendar days in UTC, written YYYY-MM-DD, whatever the zone of
// the board's machine or of the player's.

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSecondsPerMinute = 60;

// The longest game the board verifies, in seconds of play: an hour at the game's 100 frames a
// second. Longer recordings are refused before any of them runs.
constexpr std::int64_t kMaxPlaySeconds = 3600;
constexpr int kCallsPerSecond = 100;
constexpr int kMaxCalls = static_cast<int>(kMaxPlaySeconds) * kCallsPerSecond;

// A daily run counts for its own day if it reaches the board by the end of that day plus this
// grace: a game begun a moment before midnight may last up to the longest game the board takes,
// and the game sends it only once it has ended, sometimes a few retries later.
constexpr std::int64_t kSendingAllowance = 30 * kSecondsPerMinute;
constexpr std::int64_t kDailyGraceSeconds = kMaxPlaySeconds + kSendingAllowance;
// A daily run may come in this long before its day has begun on the board's clock, for a
// player's clock that runs a little ahead; any earlier and it was played in advance.
constexpr std::int64_t kClockAheadSeconds = 15 * kSecondsPerMinute;

// The UTC second at which the day written YYYY-MM-DD begins; nothing for any other text or a day
// outside the years 2000 to 9999.
std::optional<std::int64_t> dayStart(std::string_view day);

// The day, YYYY-MM-DD, that the UTC second `seconds` falls in.
std::string dayOf(std::int64_t seconds);

enum class DailyWindow { Open, NotBegun, Closed };

// Whether a daily run of the day beginning at `day` (a UTC second) sent at `receivedAt` counts:
// not before the day has begun, not after it has ended plus the grace.
DailyWindow dailyWindow(std::int64_t day, std::int64_t receivedAt);
