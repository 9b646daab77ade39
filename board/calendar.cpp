#include "board/calendar.h"

#include <cstdio>

namespace {

constexpr int kFirstYear = 2000;
constexpr int kLastYear = 9999;
constexpr std::size_t kDayLength = 10; // YYYY-MM-DD
// The Gregorian calendar repeats every 400 years, of 146097 days.
constexpr int kYearsPerEra = 400;
constexpr std::int64_t kDaysPerEra = 146097;
// From 0000-03-01, where the eras below start, to 1970-01-01.
constexpr std::int64_t kEpochDays = 719468;

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar: years counted from
// March, so that the leap day ends a year, in eras of 400 years.
std::int64_t daysFromCivil(int year, int month, int day) {
    const int marchYear = month <= 2 ? year - 1 : year;
    const int era = marchYear / kYearsPerEra;
    const int yearOfEra = marchYear - era * kYearsPerEra;
    const int marchMonth = month > 2 ? month - 3 : month + 9;
    const int dayOfYear = (153 * marchMonth + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return std::int64_t{era} * kDaysPerEra + dayOfEra - kEpochDays;
}

bool isLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : kDays[month - 1];
}

// The digits of `text` from `from`, `count` of them, as a number; -1 if any is not a digit.
int digitsAt(std::string_view text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

std::optional<std::int64_t> dayStart(std::string_view day) {
    if (day.size() != kDayLength || day[4] != '-' || day[7] != '-') {
        return std::nullopt;
    }
    const int year = digitsAt(day, 0, 4);
    const int month = digitsAt(day, 5, 2);
    const int dayOfMonth = digitsAt(day, 8, 2);
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || dayOfMonth < 1 ||
        dayOfMonth > daysInMonth(year, month)) {
        return std::nullopt;
    }
    return daysFromCivil(year, month, dayOfMonth) * kSecondsPerDay;
}

std::string dayOf(std::int64_t seconds) {
    // The inverse of daysFromCivil.
    const std::int64_t days =
        (seconds >= 0 ? seconds : seconds - kSecondsPerDay + 1) / kSecondsPerDay + kEpochDays;
    const std::int64_t era = (days >= 0 ? days : days - (kDaysPerEra - 1)) / kDaysPerEra;
    const std::int64_t dayOfEra = days - era * kDaysPerEra;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t marchMonth = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * marchMonth + 2) / 5 + 1;
    const std::int64_t month = marchMonth < 10 ? marchMonth + 3 : marchMonth - 9;
    const std::int64_t year = yearOfEra + era * kYearsPerEra + (month <= 2 ? 1 : 0);
    // Room for any year an int64 of seconds can reach, so nothing is ever cut.
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld", static_cast<long long>(year),
                  static_cast<long long>(month), static_cast<long long>(day));
    return text;
}

DailyWindow dailyWindow(std::int64_t day, std::int64_t receivedAt) {
    if (receivedAt < day - kClockAheadSeconds) {
        return DailyWindow::NotBegun;
    }
    if (receivedAt > day + kSecondsPerDay + kDailyGraceSeconds) {
        return DailyWindow::Closed;
    }
    return DailyWindow::Open;
}
