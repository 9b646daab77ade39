#include "base/random.h"
#include "game/game.h"
#include "platform/virtual_keys.h"
#include "tests/support/test_platform.h"

#include <gtest/gtest.h>

namespace {

class FrameStepTest : public ::testing::Test {
  protected:
    void SetUp() override { test_platform::reset(); }
    Game game;
};

TEST_F(FrameStepTest, StartsInInitThenShowsTheMenuAndPlaysOnReturn) {
    EXPECT_EQ(game.gameState, GameState::Init);
    game.step();
    EXPECT_TRUE(game.texturesLoaded);
    EXPECT_EQ(game.gameState, GameState::Menu);
    game.step();
    EXPECT_EQ(game.gameState, GameState::Menu);
    test_platform::press(KeyReturn);
    game.step();
    EXPECT_EQ(game.gameState, GameState::Playing);
    EXPECT_TRUE(game.menuPlayChosen);
}

TEST_F(FrameStepTest, QuitIsPostedOnEveryCallAndEveryCallSwapsAndWaits) {
    game.step();
    game.step();
    test_platform::press(KeyDown);
    game.step();
    test_platform::press(KeyReturn);
    game.step();
    EXPECT_EQ(game.gameState, GameState::Quit);
    EXPECT_EQ(test_platform::state().quitRequests, 0);
    for (int i = 0; i < 3; ++i) {
        game.step();
    }
    EXPECT_EQ(test_platform::state().quitRequests, 3);
    EXPECT_EQ(test_platform::state().lastQuitCode, 0);
    EXPECT_EQ(test_platform::state().swaps, 7);
    // Seven calls of at least 10 ms each; the menu's own wait leaves the frame's nothing to do.
    EXPECT_EQ(test_platform::state().tick, 70u);
}

TEST_F(FrameStepTest, QuitWinsWhenBothEntriesWereChosen) {
    game.step();
    game.menuPlayChosen = true;
    game.menuSelection = 1;
    test_platform::press(KeyReturn);
    game.step();
    EXPECT_EQ(game.gameState, GameState::Quit);
}

TEST_F(FrameStepTest, EveryCallReseedsTheRandomSourceFromTheCalendar) {
    test_platform::state().calendar = 1781000000;
    game.step();
    game.step();
    const int afterCall = nextRandom();
    seedRandom(1781000000);
    EXPECT_EQ(nextRandom(), afterCall);

    test_platform::state().calendar = 1781000001;
    game.step();
    const int nextSecond = nextRandom();
    seedRandom(1781000001);
    EXPECT_EQ(nextRandom(), nextSecond);
    EXPECT_NE(afterCall, nextSecond);
}

} // namespace
