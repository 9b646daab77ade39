// The step as a whole: the screens it asks to be drawn, its quit, its random numbers, and copies
// of a game that play on as the game does.
#include "base/random.h"
#include "game/game.h"
#include "platform/virtual_keys.h"
#include "tests/support/rules_machine.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

class Step : public ::testing::Test {
  protected:
    void SetUp() override { rules_machine::reset(); }
    Game game;
};

TEST_F(Step, SetsUpThenShowsTheMenuAndPlaysOnReturn) {
    EXPECT_EQ(game.gameState, GameState::Init);
    EXPECT_EQ(rules_machine::step(game).picture.screen, Screen::SetUp);
    EXPECT_EQ(game.gameState, GameState::Menu);
    EXPECT_EQ(rules_machine::step(game).picture.screen, Screen::Menu);
    rules_machine::press(KeyReturn);
    // The call that starts the game still shows the menu.
    EXPECT_EQ(rules_machine::step(game).picture.screen, Screen::Menu);
    EXPECT_EQ(game.gameState, GameState::Playing);
    EXPECT_TRUE(game.menuPlayChosen);
    EXPECT_EQ(rules_machine::step(game).picture.screen, Screen::Play);
}

TEST_F(Step, AsksToQuitInEveryCallOnceQuitWasChosenAndDrawsNothing) {
    rules_machine::step(game);
    rules_machine::step(game);
    rules_machine::press(KeyDown);
    rules_machine::step(game);
    rules_machine::press(KeyReturn);
    EXPECT_FALSE(rules_machine::step(game).quit);
    EXPECT_EQ(game.gameState, GameState::Quit);
    for (int i = 0; i < 3; ++i) {
        const CallOutcome outcome = rules_machine::step(game);
        EXPECT_TRUE(outcome.quit);
        EXPECT_EQ(outcome.picture.screen, Screen::Nothing);
    }
    EXPECT_EQ(rules_machine::state().quitRequests, 3);
}

TEST_F(Step, QuitWinsWhenBothEntriesWereChosen) {
    rules_machine::step(game);
    game.menuPlayChosen = true;
    game.menuSelection = 1;
    rules_machine::press(KeyReturn);
    rules_machine::step(game);
    EXPECT_EQ(game.gameState, GameState::Quit);
}

TEST_F(Step, EveryCallReseedsTheRandomSourceFromTheCalendar) {
    rules_machine::setCalendar(1781000000);
    rules_machine::step(game);
    rules_machine::step(game);
    const int afterCall = nextRandom();
    seedRandom(1781000000);
    EXPECT_EQ(nextRandom(), afterCall);

    rules_machine::setCalendar(1781000001);
    rules_machine::step(game);
    const int nextSecond = nextRandom();
    seedRandom(1781000001);
    EXPECT_EQ(nextRandom(), nextSecond);
    EXPECT_NE(afterCall, nextSecond);
}

TEST_F(Step, APausedFrameIsStillAndShowsTheOverlayWithTheWayBack) {
    rules_machine::step(game);
    rules_machine::step(game);
    rules_machine::press(KeyReturn);
    rules_machine::step(game);
    rules_machine::release(KeyReturn);
    rules_machine::step(game);
    rules_machine::press(KeyEscape);
    // Drawn in play, then paused: the overlay comes up over a frame that moved.
    const FramePicture pausing = rules_machine::step(game).picture;
    EXPECT_FALSE(pausing.still);
    EXPECT_TRUE(pausing.overlay);
    EXPECT_TRUE(pausing.overlayOffersReturn);
    const FramePicture paused = rules_machine::step(game).picture;
    EXPECT_TRUE(paused.still);
    EXPECT_TRUE(paused.overlay);
    rules_machine::release(KeyEscape);
    rules_machine::step(game);
    rules_machine::press(KeyEscape);
    // Drawn still, then unpaused: no overlay.
    const FramePicture resuming = rules_machine::step(game).picture;
    EXPECT_TRUE(resuming.still);
    EXPECT_FALSE(resuming.overlay);
    EXPECT_FALSE(game.paused);
}

TEST_F(Step, ARestartFromTheOverlayShowsTheGameAsItWasDrawn) {
    rules_machine::step(game);
    rules_machine::step(game);
    rules_machine::press(KeyReturn);
    rules_machine::press(KeySpace);
    for (int i = 0; i < 300; ++i) {
        rules_machine::step(game);
    }
    rules_machine::press(KeyEscape);
    rules_machine::step(game);
    const int frame = game.frameCounter;
    const int shots = static_cast<int>(game.projectiles.size());
    ASSERT_GT(shots, 0);
    rules_machine::press(KeyF2);
    const FramePicture restart = rules_machine::step(game).picture;
    EXPECT_EQ(game.frameCounter, 0);
    EXPECT_TRUE(game.projectiles.empty());
    ASSERT_TRUE(restart.gameAsDrawn);
    EXPECT_EQ(restart.gameAsDrawn->frameCounter, frame);
    EXPECT_EQ(static_cast<int>(restart.gameAsDrawn->projectiles.size()), shots);
    EXPECT_TRUE(restart.overlay);
    // Only the frame of the reset carries the old game.
    EXPECT_FALSE(rules_machine::step(game).picture.gameAsDrawn);
}

TEST_F(Step, TheRadarShowsTheEnemiesOfThisFramesUpdateAndNoneWhilePaused) {
    rules_machine::step(game);
    rules_machine::press(KeyReturn);
    rules_machine::step(game);
    rules_machine::release(KeyReturn);
    for (int i = 0; i < 130; ++i) {
        rules_machine::step(game);
    }
    ASSERT_EQ(game.enemies.size(), 1u);
    EXPECT_EQ(game.radarPoints.size(), 1u);
    EXPECT_EQ((*game.radarPoints.begin())->depth, (*game.enemies.begin())->getDepth());
    rules_machine::press(KeyEscape);
    rules_machine::step(game);
    rules_machine::step(game);
    EXPECT_TRUE(game.paused);
    EXPECT_TRUE(game.radarPoints.empty());
}

// A game that has seen every kind of object: wedges, squares, shots of both sides, explosions,
// a power-up and the ship mid-switch.
Game busyGame() {
    rules_machine::reset();
    rules_machine::setCalendar(1781000000);
    Game game;
    rules_machine::step(game);
    rules_machine::press(KeyReturn);
    rules_machine::step(game);
    rules_machine::release(KeyReturn);
    rules_machine::press(KeySpace);
    game.frameCounter = 3400;
    for (int i = 0; i < 200; ++i) {
        rules_machine::step(game);
    }
    return game;
}

// Everything of a game the rules read, written out exactly (floats in hexadecimal).
std::string traceOf(const Game& game) {
    std::ostringstream out;
    out << std::hexfloat << static_cast<int>(game.gameState) << ' ' << game.frameCounter << ' '
        << game.paused << game.gameOver << game.bossDefeated << game.endlessSpawning << ' '
        << game.weaponPrompt << ' ' << game.bossHitPoints;
    const PlayerShip& ship = game.ship;
    out << " ship " << ship.getAngle() << ' ' << ship.getLives() << ' ' << ship.getScore() << ' '
        << ship.getCurrentWeapon() << ship.getHighestWeapon() << ship.isSwitching() << ' '
        << ship.getFireCooldown() << ' ' << ship.getLook().switchOffset << ' '
        << ship.getLook().thrustCount;
    for (const auto& enemy : game.enemies) {
        out << " e" << enemy->getKindId() << ' ' << enemy->getAngle() << ' ' << enemy->getDepth()
            << ' ' << enemy->getHitPoints();
    }
    for (const auto& splitter : game.splitterGroup.splitters) {
        out << " s" << splitter->getAngle() << ' ' << splitter->getDepth();
    }
    for (const auto& shot : game.projectiles) {
        out << " p" << shot->getWeaponType() << ' ' << shot->getAngle() << ' ' << shot->getDepth()
            << shot->isHitEnabled();
    }
    for (const auto& explosion : game.explosions) {
        out << " x" << explosion->getAngle() << ' ' << explosion->getAnimStep();
    }
    for (const auto& powerup : game.powerups) {
        out << " u" << powerup->getType() << ' ' << powerup->getDepth() << ' '
            << powerup->getShownStep();
    }
    return out.str();
}

TEST(GameCopy, ACopyIsAnIndependentTwinThatPlaysOnExactlyAsTheOriginal) {
    Game original = busyGame();
    ASSERT_FALSE(original.enemies.empty());
    ASSERT_FALSE(original.projectiles.empty());
    ASSERT_FALSE(original.powerups.empty());
    Game copy = original;
    Game assigned;
    assigned = original;
    CallInputs inputs = rules_machine::state().inputs;
    for (int call = 0; call < 400; ++call) {
        inputs.keys[KeyLeft] = call % 90 < 40;
        inputs.keys[Key2] = call == 50;
        const CallOutcome fromOriginal = original.advance(inputs);
        const CallOutcome fromCopy = copy.advance(inputs);
        assigned.advance(inputs);
        ASSERT_EQ(traceOf(copy), traceOf(original)) << "call " << call;
        ASSERT_EQ(traceOf(assigned), traceOf(original)) << "call " << call;
        ASSERT_EQ(fromCopy.sounds, fromOriginal.sounds) << "call " << call;
    }
    // Independent: emptying the copy leaves the original as it was.
    copy.enemies.clear();
    copy.ship.hitPending = true;
    EXPECT_FALSE(original.enemies.empty());
    EXPECT_FALSE(original.ship.hitPending);
}

} // namespace
