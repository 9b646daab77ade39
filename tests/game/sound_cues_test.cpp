#include "entities/boss_enemy.h"
#include "entities/missile.h"
#include "entities/wedge_enemy.h"
#include "game/game.h"
#include "platform/virtual_keys.h"
#include "tests/entities/placed.h"
#include "tests/support/rules_machine.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Heard = std::vector<SoundEffect>;

int timesHeard(const Heard& sounds, SoundEffect effect) {
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), effect));
}

class SoundCues : public ::testing::Test {
  protected:
    // What the game asked to be heard, from its calls and from the steps a test ran by hand,
    // taken so that the next look starts afresh.
    Heard heard() {
        Heard sounds;
        sounds.swap(rules_machine::state().sounds);
        sounds.insert(sounds.end(), game.sounds.begin(), game.sounds.end());
        game.sounds.clear();
        return sounds;
    }

    void SetUp() override {
        rules_machine::reset();
        rules_machine::step(game); // Init
        rules_machine::step(game); // the first menu frame arms the arrows
        heard();
    }

    void tap(int key) {
        rules_machine::press(key);
        rules_machine::step(game);
        rules_machine::release(key);
    }

    // Escape toggles the pause on a fresh press, so it is let go for a frame afterwards.
    void toggle() {
        tap(KeyEscape);
        rules_machine::step(game);
    }

    void startPlaying() {
        tap(KeyReturn);
        ASSERT_EQ(game.gameState, GameState::Playing);
        // The first playing frame, with Escape up, lets go of the latch that guards the pause.
        rules_machine::step(game);
        heard();
    }

    template <typename Kind, typename... Args>
    Kind& addEnemy(float depth, float angle, Args... args) {
        auto enemy = std::make_unique<Placed<Kind>>(args...);
        enemy->place(depth, angle);
        return static_cast<Kind&>(game.enemies.pushFront(std::move(enemy)));
    }

    void addPlayerMissile(float depth, float angle) {
        game.projectiles.pushFront(std::make_unique<Missile>(angle, Direction::Away, depth, false));
    }

    Game game;
};

TEST_F(SoundCues, TheMenuSoundsEachMoveOnceAndTheChoice) {
    tap(KeyDown);
    EXPECT_EQ(heard(), Heard{SoundEffect::MenuMove});
    // Held, the arrow moves the marker once, and is heard once.
    rules_machine::press(KeyUp);
    rules_machine::step(game);
    rules_machine::step(game);
    rules_machine::release(KeyUp);
    rules_machine::step(game);
    EXPECT_EQ(heard(), Heard{SoundEffect::MenuMove});
    tap(KeyReturn);
    EXPECT_EQ(heard(), Heard{SoundEffect::MenuConfirm});
    EXPECT_EQ(game.gameState, GameState::Playing);
}

TEST_F(SoundCues, EachShotIsHeardInTheFrameItIsFiredAndTheSwitchToo) {
    startPlaying();
    rules_machine::press(KeySpace);
    int firstShotFrame = -1;
    for (int frame = 0; frame < 40 && firstShotFrame < 0; ++frame) {
        rules_machine::step(game);
        const Heard sounds = heard();
        if (!game.projectiles.empty()) {
            firstShotFrame = frame;
            EXPECT_EQ(sounds, Heard{SoundEffect::MissileShot});
        } else {
            EXPECT_TRUE(sounds.empty());
        }
    }
    rules_machine::release(KeySpace);
    ASSERT_GE(firstShotFrame, 0);

    game.ship.gotWeapon2 = true;
    rules_machine::step(game);
    EXPECT_EQ(timesHeard(heard(), SoundEffect::WeaponSwitch), 1);
    for (int frame = 0; frame < 100; ++frame) {
        rules_machine::step(game);
    }
    EXPECT_EQ(timesHeard(heard(), SoundEffect::WeaponSwitch), 0);
    game.projectiles.clear();
    rules_machine::press(KeySpace);
    Heard sounds;
    for (int frame = 0; frame < 30 && game.projectiles.empty(); ++frame) {
        rules_machine::step(game);
        sounds = heard();
    }
    EXPECT_EQ(timesHeard(sounds, SoundEffect::DestroyerShot), 1);
}

TEST_F(SoundCues, PauseAndResumeAreHeardAndNothingElseWhilePaused) {
    startPlaying();
    toggle();
    EXPECT_EQ(heard(), Heard{SoundEffect::Pause});
    rules_machine::press(KeySpace);
    for (int frame = 0; frame < 50; ++frame) {
        rules_machine::step(game);
    }
    rules_machine::release(KeySpace);
    EXPECT_TRUE(heard().empty());
    toggle();
    EXPECT_EQ(heard(), Heard{SoundEffect::Resume});
    toggle();
    heard();
    tap(KeyF2);
    EXPECT_EQ(heard(), Heard{SoundEffect::MenuConfirm});
}

TEST_F(SoundCues, TwoHitsInOneFrameAreOneHitHeardAndTheLastLifeEndsTheGameOnce) {
    startPlaying();
    addEnemy<WedgeEnemy>(-6.5f, 0.0f, 0);
    addEnemy<WedgeEnemy>(-6.5f, 1.0f, 0);
    game.runCollisions();
    const Heard sounds = heard();
    EXPECT_EQ(timesHeard(sounds, SoundEffect::ShipHit), 1);
    // Each wedge dies of ramming the ship.
    EXPECT_EQ(timesHeard(sounds, SoundEffect::EnemyExplosion), 2);

    game.enemies.clear();
    for (int i = 0; i < 10 && !game.gameOver; ++i) {
        game.ship.hitPending = true;
        rules_machine::step(game);
    }
    ASSERT_TRUE(game.gameOver);
    Heard ending = heard();
    EXPECT_EQ(timesHeard(ending, SoundEffect::GameOver), 1);
    EXPECT_EQ(timesHeard(ending, SoundEffect::ShipExplosion), 1);
    // The wreck goes on bursting in silence: the finished game is paused.
    for (int frame = 0; frame < 200; ++frame) {
        rules_machine::step(game);
    }
    EXPECT_TRUE(heard().empty());
}

TEST_F(SoundCues, AHitThatDoesNotDestroySoundsApartFromOneThatDoesAndTheBossHasItsOwn) {
    BossEnemy& boss = addEnemy<BossEnemy>(-12.0f, 0.0f);
    addPlayerMissile(-12.0f, 0.0f);
    game.runCollisions();
    game.removeDead();
    EXPECT_EQ(heard(), Heard{SoundEffect::EnemyHit});
    boss.takeDamage(48);
    addPlayerMissile(-12.0f, 0.0f);
    game.runCollisions();
    game.removeDead();
    EXPECT_EQ(heard(), (Heard{SoundEffect::EnemyExplosion, SoundEffect::BossDestroyed}));
}

TEST_F(SoundCues, APickupIsHeardWhenCaught) {
    seedGivingAngle(0);
    game.dropPowerup(2);
    for (int i = 0; i < 260; ++i) {
        for (auto& powerup : game.powerups) {
            powerup->drift();
        }
    }
    game.runCollisions();
    EXPECT_EQ(heard(), Heard{SoundEffect::Pickup});
}

TEST_F(SoundCues, TheSwarmSoundsEverySplitUntilItCanSplitNoMore) {
    game.splitterGroup.launchPending = true;
    game.splitterGroup.update();
    int splits = 0;
    int explosions = 0;
    while (!game.splitterGroup.splitters.empty()) {
        const SplitterEnemy& target = **game.splitterGroup.splitters.begin();
        addPlayerMissile(target.getDepth(), target.getAngle());
        game.runCollisions();
        game.removeDead();
        const Heard sounds = heard();
        splits += timesHeard(sounds, SoundEffect::SwarmSplit);
        explosions += timesHeard(sounds, SoundEffect::EnemyExplosion);
    }
    // Every splitter splits at each hit: four hits make the sixteen, each of which then falls.
    EXPECT_EQ(splits, 4);
    EXPECT_EQ(explosions, 16);
}

} // namespace
