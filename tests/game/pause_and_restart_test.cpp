#include "game/game.h"
#include "platform/virtual_keys.h"
#include "tests/support/rules_machine.h"

#include <gtest/gtest.h>

namespace {

// A game driven call by call through the frame function, keys set by hand between calls.
class PauseAndRestart : public ::testing::Test {
  protected:
    void SetUp() override {
        rules_machine::reset();
        rules_machine::step(game); // Init
        rules_machine::step(game); // the first menu frame arms the arrows
    }

    void startPlaying() {
        rules_machine::press(KeyReturn);
        rules_machine::step(game);
        rules_machine::release(KeyReturn);
        ASSERT_EQ(game.gameState, GameState::Playing);
    }

    void tap(int key) {
        rules_machine::press(key);
        rules_machine::step(game);
        rules_machine::release(key);
        rules_machine::step(game);
    }

    // Hits the ship once a frame until its last life is gone and the game is over.
    void loseAllLives() {
        for (int i = 0; i < 10 && !game.gameOver; ++i) {
            game.ship.hitPending = true;
            rules_machine::step(game);
        }
        ASSERT_TRUE(game.gameOver);
    }

    Game game;
};

TEST_F(PauseAndRestart, EscapeHeldSinceBeforePlayDoesNothingUntilReleased) {
    rules_machine::press(KeyEscape);
    startPlaying();
    rules_machine::step(game);
    rules_machine::step(game);
    EXPECT_FALSE(game.paused);
    rules_machine::release(KeyEscape);
    rules_machine::step(game);
    rules_machine::press(KeyEscape);
    rules_machine::step(game);
    EXPECT_TRUE(game.paused);
    // Held down, it pauses only once.
    rules_machine::step(game);
    rules_machine::step(game);
    EXPECT_TRUE(game.paused);
    rules_machine::release(KeyEscape);
    rules_machine::step(game);
    tap(KeyEscape);
    EXPECT_FALSE(game.paused);
}

TEST_F(PauseAndRestart, APausedGameStandsStill) {
    startPlaying();
    for (int i = 0; i < 20; ++i) {
        rules_machine::step(game);
    }
    tap(KeyEscape);
    const int frame = game.frameCounter;
    for (int i = 0; i < 30; ++i) {
        rules_machine::step(game);
    }
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(game.frameCounter, frame);
}

TEST_F(PauseAndRestart, TheFunctionKeysWorkOnlyInTheOverlayAndF4WinsOverF2) {
    startPlaying();
    for (int i = 0; i < 5; ++i) {
        rules_machine::step(game);
    }
    tap(KeyF2);
    tap(KeyF3);
    tap(KeyF4);
    EXPECT_EQ(game.gameState, GameState::Playing);
    EXPECT_GT(game.frameCounter, 5);

    tap(KeyEscape);
    rules_machine::press(KeyF2);
    rules_machine::press(KeyF4);
    rules_machine::step(game);
    EXPECT_EQ(game.gameState, GameState::Quit);
    // Quitting resets nothing.
    EXPECT_GT(game.frameCounter, 5);
}

TEST_F(PauseAndRestart, F2RestartsAtFrameZeroAndRunningExplosionsPlayOn) {
    startPlaying();
    for (int i = 0; i < 200; ++i) {
        rules_machine::step(game);
    }
    game.addExplosion(-10.0f, 0.0f);
    tap(KeyEscape);
    rules_machine::press(KeyF2);
    rules_machine::step(game);
    rules_machine::release(KeyF2);
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(game.frameCounter, 0);
    EXPECT_TRUE(game.enemies.empty());
    EXPECT_TRUE(game.projectiles.empty());
    EXPECT_EQ(game.spawnIntervals.ring, 120);
    EXPECT_EQ(game.ship.getLives(), 5);
    EXPECT_FALSE(game.explosions.empty());
    // The next frame is frame 0 again, and frame 0 spawns a wedge.
    rules_machine::step(game);
    EXPECT_EQ(game.frameCounter, 1);
    EXPECT_EQ(game.enemies.size(), 1u);
}

TEST_F(PauseAndRestart, F3GoesBackToTheMenuWithAFreshGameReady) {
    startPlaying();
    for (int i = 0; i < 50; ++i) {
        rules_machine::step(game);
    }
    tap(KeyEscape);
    rules_machine::press(KeyF3);
    rules_machine::step(game);
    rules_machine::release(KeyF3);
    EXPECT_EQ(game.gameState, GameState::Menu);
    EXPECT_FALSE(game.menuPlayChosen);
    rules_machine::step(game);
    startPlaying();
    EXPECT_EQ(game.frameCounter, 0);
    rules_machine::step(game);
    EXPECT_EQ(game.frameCounter, 1);
    EXPECT_EQ(game.enemies.size(), 1u);
}

TEST_F(PauseAndRestart, AfterTheLastLifeTheOverlayStaysAndTheWreckBurstsEverySixtyFrames) {
    startPlaying();
    loseAllLives();
    EXPECT_TRUE(game.paused);
    // Escape cannot bring back a finished game.
    tap(KeyEscape);
    EXPECT_TRUE(game.paused);

    game.explosions.clear();
    while (game.frameCounter % 60 != 59) {
        rules_machine::step(game);
        EXPECT_TRUE(game.explosions.empty()) << "a burst before frame " << game.frameCounter;
    }
    game.explosions.clear();
    rules_machine::step(game);
    ASSERT_EQ(game.explosions.size(), 1u);
    const float angle = (*game.explosions.begin())->getAngle();
    EXPECT_GE(angle, game.ship.getAngle() - 11.0f);
    EXPECT_LE(angle, game.ship.getAngle() + 10.0f);

    rules_machine::press(KeyF2);
    rules_machine::step(game);
    EXPECT_FALSE(game.gameOver);
    EXPECT_FALSE(game.paused);
}

} // namespace
