#include "replay/game_cuts.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

GamePoint menu() {
    return GamePoint{GameState::Menu, 0, 0, false, false, false, false};
}

GamePoint playing(int frame, int score, bool over = false) {
    return GamePoint{GameState::Playing, frame, score, over, false, false, false};
}

// Feeds the points as calls 0, 1, 2, ... and gathers the games that ended.
std::vector<VerifiedGame> cut(const std::vector<GamePoint>& points, bool finish = true) {
    GameCuts cuts;
    std::vector<VerifiedGame> games;
    int call = 0;
    for (const GamePoint& point : points) {
        if (auto ended = cuts.afterCall(call++, point)) {
            games.push_back(*ended);
        }
    }
    if (auto ended = finish ? cuts.finish(call - 1) : std::nullopt) {
        games.push_back(*ended);
    }
    return games;
}

TEST(GameCuts, AGameRunsFromPlayToItsLastLife) {
    const auto games = cut({menu(), menu(), playing(0, 0), playing(1, 0), playing(2, 50),
                            playing(3, 70, true), playing(4, 70, true), playing(5, 70, true)});
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].index, 1);
    EXPECT_EQ(games[0].firstCall, 2);
    EXPECT_EQ(games[0].lastCall, 5);
    EXPECT_EQ(games[0].score, 70);
    EXPECT_EQ(games[0].frame, 3);
}

// A restart, and going back to the menu, reset the game within the call: what it reached is the
// call before's.
TEST(GameCuts, ARestartOrTheMenuEndsTheGameAsTheCallBeforeLeftIt) {
    GamePoint boss = playing(9000, 400);
    boss.bossDestroyed = true;
    const auto games = cut({menu(), playing(0, 0), boss, playing(9001, 420), playing(0, 0),
                            playing(1, 5), menu(), menu(), playing(0, 0), playing(1, 0)});
    ASSERT_EQ(games.size(), 3u);
    EXPECT_EQ(games[0].lastCall, 4);
    EXPECT_EQ(games[0].score, 420);
    EXPECT_EQ(games[0].frame, 9001);
    EXPECT_TRUE(games[0].bossDestroyed);
    EXPECT_EQ(games[1].index, 2);
    EXPECT_EQ(games[1].firstCall, 4);
    EXPECT_EQ(games[1].lastCall, 6);
    EXPECT_EQ(games[1].score, 5);
    EXPECT_FALSE(games[1].bossDestroyed);
    EXPECT_EQ(games[2].firstCall, 8);
    EXPECT_EQ(games[2].lastCall, 9);
}

// After the last life the frame counter only keeps time; F2 then starts a game, F4 ends nothing
// more, and the end of the run ends a game in play.
TEST(GameCuts, AFinishedGameRestartsAndTheRunsEndEndsTheLast) {
    const auto games = cut(
        {playing(0, 0), playing(5, 10, true), playing(6, 10, true), playing(0, 0), playing(1, 3)});
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].lastCall, 1);
    EXPECT_EQ(games[1].firstCall, 3);
    EXPECT_EQ(games[1].lastCall, 4);
    const auto quit = cut({playing(0, 0), playing(1, 10),
                           GamePoint{GameState::Quit, 1, 10, false, false, false, false}});
    ASSERT_EQ(quit.size(), 1u);
    EXPECT_EQ(quit[0].lastCall, 2);
    EXPECT_EQ(quit[0].score, 10);
    EXPECT_TRUE(cut({menu(), menu()}).empty());
    EXPECT_TRUE(cut({playing(0, 0), playing(1, 0)}, false).empty());
}

} // namespace
