// What strangers may send the board: names, query fields, ids and days.
#include "board/calendar.h"
#include "board/requests.h"

#include <gtest/gtest.h>

namespace {

// 2026-12-08 12:00 UTC
constexpr std::int64_t kNoon = 1796731200;

TEST(BoardNames, TakesPrintableNamesWithMarkupQuotesAndOtherScripts) {
    for (const char* name : {"Ada", "<script>alert(1)</script>", "Robert'); DROP TABLE games;--",
                             "\"quoted\" & <b>", "Zoë", "東京の星", "a b", "x"}) {
        EXPECT_EQ(nameProblem(name), std::nullopt) << name;
    }
}

TEST(BoardNames, RefusesEmptyLongControlInvisibleAndBrokenNames) {
    const std::string longest(kMaxNameCharacters, 'x');
    EXPECT_EQ(nameProblem(longest), std::nullopt);
    for (const std::string& name :
         {std::string(), longest + "x", std::string("a\nb"), std::string("a\0b", 3),
          std::string("\x1b[31mred"), std::string("tab\there"), std::string("\x7f"),
          std::string("\xc2\x85"), // NEL, a C1 control
          std::string("evil\xe2\x80\xae"
                      "cba"),           // right-to-left override
          std::string("a\xe2\x80\x8b"), // zero-width space
          std::string("\xff\xfe"),      // not UTF-8
          std::string("\xc0\xbc"),      // overlong '<'
          std::string("\xed\xa0\x80"),  // a surrogate
          std::string(" padded"), std::string("padded "), std::string("\xc3")}) {
        EXPECT_NE(nameProblem(name), std::nullopt) << name;
    }
}

TEST(BoardQueries, AnUploadNeedsOneValidNameAndNothingElse) {
    std::string why;
    EXPECT_TRUE(parseUploadQuery({{"name", "Ada"}}, why));
    EXPECT_FALSE(parseUploadQuery({}, why));
    EXPECT_FALSE(parseUploadQuery({{"name", "Ada"}, {"score", "999999"}}, why));
    EXPECT_NE(why.find("score"), std::string::npos) << why;
    EXPECT_FALSE(parseUploadQuery({{"name", "Ada"}, {"name", "Bob"}}, why));
    EXPECT_FALSE(parseUploadQuery({{"name", "a\x01"}}, why));
}

TEST(BoardQueries, ScoresTakeAModeADayForTheDailyBoardAndALimit) {
    std::string why;
    const std::optional<ScoresQuery> free = parseScoresQuery({}, kNoon, why);
    ASSERT_TRUE(free);
    EXPECT_EQ(free->mode, BoardMode::Free);
    EXPECT_EQ(free->limit, kDefaultScoresLimit);

    const std::optional<ScoresQuery> today = parseScoresQuery({{"mode", "daily"}}, kNoon, why);
    ASSERT_TRUE(today);
    EXPECT_EQ(today->day, "2026-12-08");
    const std::optional<ScoresQuery> chosen =
        parseScoresQuery({{"mode", "daily"}, {"day", "2024-02-29"}, {"limit", "100"}}, kNoon, why);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->day, "2024-02-29");
    EXPECT_EQ(chosen->limit, 100);

    for (const QueryFields& bad : std::vector<QueryFields>{
             {{"mode", "hard"}},
             {{"mode", "free"}, {"day", "2026-12-08"}},
             {{"mode", "daily"}, {"day", "2023-02-29"}},
             {{"mode", "daily"}, {"day", "2026-1-08"}},
             {{"mode", "daily"}, {"day", "1999-12-31"}},
             {{"limit", "0"}},
             {{"limit", "101"}},
             {{"limit", "-1"}},
             {{"limit", "1e2"}},
             {{"limit", "99999999999999999999"}},
             {{"order", "score; DROP TABLE games"}},
         }) {
        EXPECT_FALSE(parseScoresQuery(bad, kNoon, why)) << bad.begin()->second;
    }
}

TEST(BoardQueries, GameIdsArePositiveDecimalNumbersThatFitTheDatabase) {
    EXPECT_EQ(parseGameId("1"), 1);
    EXPECT_EQ(parseGameId("999999999999999999"), 999999999999999999);
    for (const char* bad : {"", "0", "-1", "1x", "0x10", "1 ", "9999999999999999999", "../1"}) {
        EXPECT_EQ(parseGameId(bad), std::nullopt) << bad;
    }
}

TEST(BoardCalendar, DaysAreUtcDatesBothWays) {
    EXPECT_EQ(dayStart("1970-01-01"), std::nullopt); // before the board's years
    EXPECT_EQ(dayStart("2000-01-01"), 946684800);
    EXPECT_EQ(dayStart("2026-12-08"), kNoon - kSecondsPerDay / 2);
    EXPECT_EQ(dayOf(kNoon), "2026-12-08");
    EXPECT_EQ(dayOf(*dayStart("2024-02-29") + kSecondsPerDay - 1), "2024-02-29");
    EXPECT_EQ(dayOf(*dayStart("2100-03-01")), "2100-03-01");
    for (std::int64_t second = *dayStart("2000-01-01"); second < *dayStart("2040-01-01");
         second += 7 * kSecondsPerDay + 3599) {
        EXPECT_EQ(dayStart(dayOf(second)), second - second % kSecondsPerDay) << second;
    }
    for (const char* bad : {"2100-02-29", "2026-13-01", "2026-00-10", "2026-04-31", "20261208",
                            "2026-12-08 ", "２０２６-12-08"}) {
        EXPECT_EQ(dayStart(bad), std::nullopt) << bad;
    }
}

TEST(BoardCalendar, ADailyRunCountsFromItsDayToTheGraceAfterIt) {
    const std::int64_t day = *dayStart("2026-12-08");
    EXPECT_EQ(dailyWindow(day, day - kClockAheadSeconds - 1), DailyWindow::NotBegun);
    EXPECT_EQ(dailyWindow(day, day - kClockAheadSeconds), DailyWindow::Open);
    EXPECT_EQ(dailyWindow(day, day + kSecondsPerDay + kDailyGraceSeconds), DailyWindow::Open);
    EXPECT_EQ(dailyWindow(day, day + kSecondsPerDay + kDailyGraceSeconds + 1), DailyWindow::Closed);
}

} // namespace
