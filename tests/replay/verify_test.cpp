#include "replay/game_cuts.h"
#include "replay/verify.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>

namespace {

std::string sourceFile(const std::string& name) {
    std::ifstream in(std::string(GLIMMERWAKE_SOURCE_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

Verification verified(const std::string& script) {
    Verification out;
    std::string error;
    EXPECT_TRUE(verifyRecording(script, VerifyLimits{}, out, error)) << error;
    return out;
}

// The whole level, flown by the pilot: one game from Play to the recording's end, every milestone
// reached, with the score the replay tool's trace ends with.
TEST(Verify, AWholeLevelIsOneGameWithItsScoreAndItsMilestones) {
    const struct {
        const char* file;
        int lastCall;
        int score;
        int frame;
    } levels[] = {{"tests/tools/whole_level_1.replay", 10455, 970, 9760},
                  {"tests/tools/whole_level_2.replay", 10401, 1033, 9732},
                  {"tests/tools/whole_level_3.replay", 10128, 822, 9696}};
    for (const auto& level : levels) {
        const Verification out = verified(sourceFile(level.file));
        ASSERT_EQ(out.games.size(), 1u) << level.file;
        const VerifiedGame& game = out.games[0];
        EXPECT_EQ(game.index, 1);
        EXPECT_EQ(game.firstCall, 2) << level.file;
        EXPECT_EQ(game.lastCall, level.lastCall) << level.file;
        EXPECT_EQ(game.score, level.score) << level.file;
        EXPECT_EQ(game.frame, level.frame) << level.file;
        EXPECT_TRUE(game.bossDestroyed && game.swarmDestroyed && game.endlessReached);
        EXPECT_FALSE(game.daily);
        EXPECT_EQ(game.day, "");
    }
}

// Lost with its last life, then restarted with F2 and cut off by the recording's end.
TEST(Verify, AGameEndsWithItsLastLifeAndF2StartsTheNext) {
    const Verification out = verified(sourceFile("tests/tools/complete_game.replay"));
    ASSERT_EQ(out.games.size(), 2u);
    EXPECT_EQ(out.games[0].firstCall, 2);
    EXPECT_EQ(out.games[0].lastCall, 4841);
    EXPECT_EQ(out.games[0].score, 226);
    EXPECT_EQ(out.games[0].frame, 4740);
    EXPECT_EQ(out.games[1].index, 2);
    EXPECT_EQ(out.games[1].firstCall, 4995);
    EXPECT_EQ(out.games[1].lastCall, 5194);
    EXPECT_EQ(out.games[1].score, 0);
    EXPECT_EQ(verifiedGameJson(out.games[0]),
              "{\"game\":1,\"firstCall\":2,\"lastCall\":4841,\"score\":226,\"frame\":4740,"
              "\"bossDestroyed\":false,\"swarmDestroyed\":false,\"endlessReached\":false,"
              "\"mode\":\"free\",\"day\":null}");
}

// The menu's F3 and the overlay's F4 end a game as well; a run that never plays has none.
TEST(Verify, TheMenuAndTheQuitEndAGame) {
    const std::string toMenu = "epoch 1781000000\n2 down RETURN\n3 up RETURN\n300 down ESCAPE\n"
                               "302 up ESCAPE\n310 down F3\n312 up F3\nend 400\n";
    Verification out = verified(toMenu);
    ASSERT_EQ(out.games.size(), 1u);
    EXPECT_EQ(out.games[0].lastCall, 310);
    EXPECT_EQ(out.games[0].frame, 298);
    const std::string quit = "epoch 1781000000\n2 down RETURN\n3 up RETURN\n300 down ESCAPE\n"
                             "302 up ESCAPE\n310 down F4\nend 400\n";
    out = verified(quit);
    ASSERT_EQ(out.games.size(), 1u);
    EXPECT_EQ(out.games[0].lastCall, 310);
    EXPECT_TRUE(verified("end 500\n").games.empty());
}

TEST(Verify, ADailyRunIsKnownByItsCalendarAndOnlyItsFirstGameCounts) {
    // 2026-12-08 00:00 UTC, the replay's own clock.
    const std::string keys = "2 down RETURN\n3 up RETURN\n40 down LEFT\n400 up LEFT\n"
                             "500 down SPACE\n2500 up SPACE\n2600 down ESCAPE\n2602 up ESCAPE\n"
                             "2610 down F2\n2612 up F2\nend 3000\n";
    Verification out = verified("epoch 1796688000\n" + keys);
    ASSERT_EQ(out.games.size(), 2u);
    EXPECT_TRUE(out.games[0].daily);
    EXPECT_EQ(out.games[0].day, "2026-12-08");
    EXPECT_FALSE(out.games[1].daily);
    EXPECT_EQ(out.games[1].day, "");
    EXPECT_NE(verifiedGameJson(out.games[0]).find("\"mode\":\"daily\",\"day\":\"2026-12-08\"}"),
              std::string::npos);
    // Not the start of a day, or a clock of its own: free play.
    EXPECT_FALSE(verified("epoch 1796688001\n" + keys).games[0].daily);
    EXPECT_FALSE(verified("epoch 1796688000\n1 clock 1796688000\n" + keys).games[0].daily);
    EXPECT_EQ(dailyDayOf(0, false), "1970-01-01");
    EXPECT_EQ(dailyDayOf(951782400, false), "2000-02-29");
    EXPECT_EQ(dailyDayOf(-86400, false), "");
}

// The same keys on the next day meet other randomness: the daily seed is the day.
TEST(Verify, TheSameKeysOnAnotherDayPlayAnotherGame) {
    // LEFT is never let go; SPACE is tapped all game long.
    std::string ordered = "2 down RETURN\n3 up RETURN\n10 down LEFT\n";
    for (int call = 39; call < 6000; call += 37) {
        ordered +=
            std::to_string(call) + " down SPACE\n" + std::to_string(call + 20) + " up SPACE\n";
    }
    ordered += "end 6100\n";
    const Verification day1 = verified("epoch 1796688000\n" + ordered);
    const Verification again = verified("epoch 1796688000\n" + ordered);
    const Verification day2 = verified("epoch 1796774400\n" + ordered);
    ASSERT_EQ(day1.games.size(), 1u);
    ASSERT_EQ(day2.games.size(), 1u);
    EXPECT_EQ(verifiedGameJson(day1.games[0]), verifiedGameJson(again.games[0]));
    EXPECT_EQ(day2.games[0].day, "2026-12-09");
    EXPECT_NE(std::make_pair(day1.games[0].score, day1.games[0].frame),
              std::make_pair(day2.games[0].score, day2.games[0].frame));
}

TEST(Verify, AForgedOrUnreadableRecordingIsRefused) {
    const std::string whole = sourceFile("tests/tools/whole_level_1.replay");
    Verification out;
    std::string error;
    EXPECT_FALSE(verifyRecording("epoch 5\nbogus\nend 3\n", VerifyLimits{}, out, error));
    EXPECT_EQ(error, "line 2: unknown command 'bogus'");
    VerifyLimits limits;
    limits.maxCalls = 1000;
    EXPECT_FALSE(verifyRecording(whole, limits, out, error));
    // Keys edited: the pilot's first dodge left out. The game goes otherwise.
    const std::size_t firstMove = whole.find(" down LEFT\n");
    ASSERT_NE(firstMove, std::string::npos);
    const std::size_t lineStart = whole.rfind('\n', firstMove) + 1;
    std::string edited = whole;
    edited.erase(lineStart, firstMove + 11 - lineStart);
    const Verification forged = verified(edited);
    ASSERT_FALSE(forged.games.empty());
    EXPECT_NE(forged.games[0].score, 970);
    // The calendar moved a day on: the same keys meet other randomness, and the pilot's
    // dodging no longer fits what comes.
    std::string moved = whole;
    const std::size_t epoch = moved.find("epoch 1781000000\n");
    ASSERT_NE(epoch, std::string::npos);
    moved.replace(epoch, 16, "epoch 1781086400");
    EXPECT_NE(verified(moved).games.at(0).score, 970);
}

// Each verification plays a game of its own: two at once on two threads find what one finds.
TEST(Verify, TwoThreadsAtOnceAgree) {
    const std::string whole = sourceFile("tests/tools/whole_level_2.replay");
    Verification first;
    Verification second;
    std::string error;
    std::thread other([&] { verifyRecording(whole, VerifyLimits{}, second, error); });
    const Verification mine = verified(sourceFile("tests/tools/complete_game.replay"));
    verifyRecording(whole, VerifyLimits{}, first, error);
    other.join();
    ASSERT_EQ(first.games.size(), 1u);
    ASSERT_EQ(second.games.size(), 1u);
    EXPECT_EQ(verifiedGameJson(first.games[0]), verifiedGameJson(second.games[0]));
    EXPECT_EQ(mine.games.at(0).score, 226);
}

} // namespace
