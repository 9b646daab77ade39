#include "shell/common/score_table.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// 2026-12-08 00:00:00 UTC.
constexpr std::int64_t kDecember8 = 1796688000;

ScoreEntry entry(int score, std::int64_t when, const std::string& recording = "run-1.replay",
                 int game = 1) {
    ScoreEntry e;
    e.score = score;
    e.when = when;
    e.frame = 1000 + score;
    e.recording = recording;
    e.game = game;
    return e;
}

std::vector<int> scoresOf(const std::vector<ScoreEntry>& table) {
    std::vector<int> scores;
    for (const ScoreEntry& e : table) {
        scores.push_back(e.score);
    }
    return scores;
}

TEST(ScoreTable, HigherScoresRankFirstAndTiesGoToTheEarlierGame) {
    std::vector<ScoreEntry> table;
    EXPECT_EQ(placeEntry(table, entry(500, kDecember8 + 10, "a.replay")), 1);
    EXPECT_EQ(placeEntry(table, entry(900, kDecember8 + 20, "b.replay")), 1);
    EXPECT_EQ(placeEntry(table, entry(700, kDecember8 + 30, "c.replay")), 2);
    // Equal to the 700 but made later: it goes below it, never above.
    EXPECT_EQ(placeEntry(table, entry(700, kDecember8 + 40, "d.replay")), 3);
    // Equal but made earlier (a game of another window, written late): above.
    EXPECT_EQ(placeEntry(table, entry(700, kDecember8 + 5, "e.replay")), 2);
    EXPECT_EQ(scoresOf(table), (std::vector<int>{900, 700, 700, 700, 500}));
    EXPECT_EQ(table[1].recording, "e.replay");
    EXPECT_EQ(table[3].recording, "d.replay");
}

TEST(ScoreTable, KeepsTheBestTenAndATieWithTheTenthStaysOut) {
    std::vector<ScoreEntry> table;
    for (int i = 1; i <= 12; ++i) {
        const int rank = placeEntry(table, entry(i * 100, kDecember8 + i, "r.replay", i));
        EXPECT_EQ(rank, 1) << i;
    }
    ASSERT_EQ(table.size(), kTableSize);
    EXPECT_EQ(table.back().score, 300);
    const ScoreEntry tie = entry(300, kDecember8 + 100, "late.replay");
    EXPECT_EQ(rankFor(table, tie), 0);
    EXPECT_EQ(placeEntry(table, tie), 0);
    EXPECT_EQ(table.back().recording, "r.replay");
    EXPECT_EQ(placeEntry(table, entry(301, kDecember8 + 100, "x.replay")), 10);
    EXPECT_EQ(table.back().score, 301);
}

TEST(ScoreTable, NothingToBeatWithNoScoreAndNoGameTwice) {
    std::vector<ScoreEntry> table;
    EXPECT_EQ(placeEntry(table, entry(0, kDecember8)), 0);
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(placeEntry(table, entry(10, kDecember8, "same.replay", 2)), 1);
    // Two writers that both saw the same finished game add it once.
    EXPECT_EQ(placeEntry(table, entry(10, kDecember8, "same.replay", 2)), 0);
    EXPECT_EQ(placeEntry(table, entry(10, kDecember8, "same.replay", 3)), 2);
    EXPECT_EQ(table.size(), 2u);
}

TEST(ScoreTable, DailyTablesAreByDayAndTheOldestDayGoesFirst) {
    ScoreTables tables;
    EXPECT_EQ(placeInTables(tables, "", entry(50, kDecember8)), 1);
    EXPECT_EQ(placeInTables(tables, "2026-12-08", entry(40, kDecember8)), 1);
    EXPECT_EQ(placeInTables(tables, "2026-12-07", entry(30, kDecember8)), 1);
    EXPECT_EQ(tableOf(tables, "").size(), 1u);
    EXPECT_EQ(tableOf(tables, "2026-12-08")[0].score, 40);
    EXPECT_TRUE(tableOf(tables, "2026-12-09").empty());
    // Fill up to the limit with later days: the oldest are dropped, and a day older than all of
    // them no longer enters.
    for (std::size_t i = 0; i < kMaxDays; ++i) {
        placeInTables(tables, dayName(kDecember8 + 86400 * static_cast<std::int64_t>(i + 1)),
                      entry(1, kDecember8));
    }
    EXPECT_EQ(tables.daily.size(), kMaxDays);
    EXPECT_TRUE(tableOf(tables, "2026-12-07").empty());
    EXPECT_EQ(placeInTables(tables, "2026-12-06", entry(99, kDecember8)), 0);
    EXPECT_EQ(tables.daily.size(), kMaxDays);
}

TEST(ScoreTable, DaysAndTimesAreUtcCalendarDates) {
    EXPECT_EQ(dayName(kDecember8), "2026-12-08");
    EXPECT_EQ(dayName(kDecember8 - 1), "2026-12-07");
    EXPECT_EQ(dayName(0), "1970-01-01");
    EXPECT_EQ(dayName(951782400), "2000-02-29");
    EXPECT_EQ(dayStart("2026-12-08"), kDecember8);
    EXPECT_EQ(dayStart("2000-02-29"), 951782400);
    EXPECT_EQ(dateAndTime(kDecember8 + 3600 * 21 + 60 * 30 + 5), "2026-12-08 21:30:05");
    EXPECT_TRUE(isDayName("2024-02-29"));
    for (const char* wrong : {"2023-02-29", "2026-13-01", "2026-04-31", "2026-12-8", "1969-12-31",
                              "2026-12-08x", "2026/12/08", ""}) {
        EXPECT_FALSE(isDayName(wrong)) << wrong;
    }
}

TEST(ScoreTable, RanksAreSaidAsPlayersSayThem) {
    EXPECT_EQ(rankText(1, 1), "NEW BEST");
    EXPECT_EQ(rankText(2, 10), "2nd of 10");
    EXPECT_EQ(rankText(3, 4), "3rd of 4");
    EXPECT_EQ(rankText(4, 10), "4th of 10");
    EXPECT_EQ(rankText(11, 12), "11th of 12");
}

TEST(ScoreTable, OnlyPlainFileNamesNameRecordings) {
    EXPECT_TRUE(isRecordingName("run-20261208-213005-123-1.replay"));
    for (const char* wrong :
         {"", ".hidden", "../scores", "a/b", "a b", "/etc/passwd", "..", "a\\b", "caf\xc3\xa9"}) {
        EXPECT_FALSE(isRecordingName(wrong)) << wrong;
    }
    EXPECT_FALSE(isRecordingName(std::string(101, 'a')));
}

TEST(ScoreFile, WhatIsWrittenReadsBackTheSame) {
    ScoreTables tables;
    ScoreEntry best = entry(12345, kDecember8 + 77);
    best.bossDestroyed = true;
    best.endlessReached = true;
    placeInTables(tables, "", best);
    placeInTables(tables, "", entry(10, kDecember8 + 1, "b.replay", 4));
    ScoreEntry daily = entry(999, kDecember8 + 5, "daily-2026-12-08-1.replay");
    daily.swarmDestroyed = true;
    placeInTables(tables, "2026-12-08", daily);
    placeInTables(tables, "2026-12-01", entry(5, kDecember8 - 86400 * 7));
    const std::string text = writeTables(tables);
    EXPECT_EQ(text.substr(0, text.find('\n')), "glimmerwake-scores 1");
    EXPECT_NE(text.find("entry 12345 2026-12-08T00:01:17Z 13345 boss,endless 1 run-1.replay\n"),
              std::string::npos)
        << text;
    ScoreTables read;
    std::string error;
    ASSERT_EQ(readTables(text, read, error), TableRead::Read) << error;
    EXPECT_EQ(writeTables(read), text);
    EXPECT_TRUE(read.freePlay[0].bossDestroyed);
    EXPECT_FALSE(read.freePlay[0].swarmDestroyed);
    EXPECT_TRUE(read.daily.at("2026-12-08")[0].swarmDestroyed);
    EXPECT_EQ(read.daily.begin()->first, "2026-12-01");
    // No tables at all is a table too.
    ASSERT_EQ(readTables(writeTables(ScoreTables{}), read, error), TableRead::Read) << error;
}

TEST(ScoreFile, AnythingButWhatTheGameWritesIsRefusedWithItsLine) {
    const std::string header = "glimmerwake-scores 1\n";
    const std::string good = "entry 100 2026-12-08T00:00:00Z 50 - 1 a.replay\n";
    const struct {
        std::string text;
        const char* why;
    } cases[] = {
        {"", "empty"},
        {"glimmerwake-scores 1", "no newline"},
        {"glimmerwake-scores 0\n", "version 0"},
        {"glimmerwake-scores 01\n", "leading zero"},
        {"other 1\n", "another file"},
        {header + good, "entry before a table"},
        {header + "table free\n", "empty table"},
        {header + "table free\ntable free\n" + good, "free twice"},
        {header + "table daily 2026-12-08\n" + good + "table free\n" + good, "free after a day"},
        {header + "table daily 2026-12-09\n" + good + "table daily 2026-12-08\n" + good,
         "days out of order"},
        {header + "table daily 2026-02-30\n" + good, "no such day"},
        {header + "table free\n" + good + good, "same game twice"},
        {header + "table free\nentry 100 2026-12-08T00:00:00Z 50 - 1 a.replay\n"
                  "entry 200 2026-12-08T00:00:00Z 50 - 1 b.replay\n",
         "out of order"},
        {header + "table free\nentry 0 2026-12-08T00:00:00Z 50 - 1 a.replay\n", "score 0"},
        {header + "table free\nentry -5 2026-12-08T00:00:00Z 50 - 1 a.replay\n", "negative"},
        // Found by the fuzzer: a signed zero read as 0 and written back otherwise.
        {header + "table free\nentry 100 2026-12-08T00:00:00Z -0 - 1 a.replay\n", "frame -0"},
        {header + "table free\nentry 100 2026-12-08T24:00:00Z 50 - 1 a.replay\n", "hour 24"},
        {header + "table free\nentry 100 2026-12-08T00:00:00Z 50 swarm,boss 1 a.replay\n",
         "milestones out of order"},
        {header + "table free\nentry 100 2026-12-08T00:00:00Z 50 boss,,swarm 1 a.replay\n",
         "empty milestone"},
        {header + "table free\nentry 100 2026-12-08T00:00:00Z 50 - 1 ../scores\n", "a path"},
        {header + "table free\nentry 100 2026-12-08T00:00:00Z 50 - 0 a.replay\n", "game 0"},
        {header + "table free\nentry 100 2026-12-08T00:00:00Z 50 - 1 a.replay \n",
         "trailing space"},
        {header + "table free\nentry 100  2026-12-08T00:00:00Z 50 - 1 a.replay\n", "two spaces"},
        {header + "table free\nentry 99999999999 2026-12-08T00:00:00Z 50 - 1 a.replay\n",
         "too large"},
        {header + "table free\n" + good + "\n", "blank line"},
        {header + "table free\r\n" + good, "carriage return"},
    };
    for (const auto& c : cases) {
        ScoreTables tables;
        placeEntry(tables.freePlay, entry(1, 0));
        std::string error;
        EXPECT_EQ(readTables(c.text, tables, error), TableRead::Corrupt) << c.why;
        EXPECT_FALSE(error.empty()) << c.why;
        EXPECT_TRUE(tables.freePlay.empty()) << c.why;
    }
    std::string eleven = header + "table free\n";
    for (int i = 11; i >= 1; --i) {
        eleven += "entry " + std::to_string(i) + " 2026-12-08T00:00:00Z 50 - 1 a" +
                  std::to_string(i) + ".replay\n";
    }
    ScoreTables tables;
    std::string error;
    EXPECT_EQ(readTables(eleven, tables, error), TableRead::Corrupt);
    EXPECT_EQ(error, "line 13: more than 10 entries in a table");
}

TEST(ScoreFile, ALaterFormatIsNewerNotCorrupt) {
    ScoreTables tables;
    std::string error;
    EXPECT_EQ(readTables("glimmerwake-scores 2\nwhatever it holds\n", tables, error),
              TableRead::Newer);
    EXPECT_NE(error.find("newer"), std::string::npos);
}

} // namespace
