#include "entities/boss_enemy.h"
#include "entities/laser.h"
#include "entities/missile.h"
#include "entities/ring_enemy.h"
#include "entities/square_enemy.h"
#include "entities/wedge_enemy.h"
#include "game/game.h"
#include "tests/entities/placed.h"
#include "tests/support/rules_machine.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// A game with its ship made, whose contact passes a test runs by hand on objects it placed.
class Collisions : public ::testing::Test {
  protected:
    void SetUp() override {
        rules_machine::reset();
        rules_machine::step(game);
    }

    template <typename Kind, typename... Args>
    Kind& addEnemy(float depth, float angle, Args... args) {
        auto enemy = std::make_unique<Placed<Kind>>(args...);
        enemy->place(depth, angle);
        return static_cast<Kind&>(game.enemies.pushFront(std::move(enemy)));
    }

    template <typename Kind> Kind& addShot(float depth, float angle, bool enemyOwned = false) {
        return static_cast<Kind&>(game.projectiles.pushFront(std::make_unique<Kind>(
            angle, enemyOwned ? Direction::Toward : Direction::Away, depth, enemyOwned)));
    }

    // The end of an update phase, then the next frame's ship update, which takes a pending life.
    void contactFrame() {
        game.runCollisions();
        game.removeDead();
        game.ship.update(ShipControls{});
    }

    Game game;
};

TEST_F(Collisions, TwoShotsOnOneEnemyExplodeAndScoreTwiceAndAreBothSpent) {
    addEnemy<WedgeEnemy>(-10.0f, 0.0f, 0);
    addShot<Missile>(-10.0f, 0.5f);
    addShot<Missile>(-10.2f, -0.5f);
    game.runCollisions();
    EXPECT_EQ(game.explosions.size(), 2u);
    EXPECT_EQ(game.ship.getScore(), 10);
    game.removeDead();
    EXPECT_TRUE(game.enemies.empty());
    EXPECT_TRUE(game.projectiles.empty());
}

TEST_F(Collisions, ASquareLeaningOnTheShipCostsALifeAFrameForThreeFramesAndScoresNothing) {
    addEnemy<SquareEnemy>(-6.5f, 4.0f);
    for (int frame = 0; frame < 3; ++frame) {
        contactFrame();
    }
    EXPECT_EQ(game.ship.getLives(), 2);
    EXPECT_TRUE(game.enemies.empty());
    EXPECT_EQ(game.ship.getScore(), 0);
    EXPECT_EQ(game.explosions.size(), 3u);
}

TEST_F(Collisions, ShotsHurtOnlyTheOtherSide) {
    WedgeEnemy& wedge = addEnemy<WedgeEnemy>(-10.0f, 0.0f, 0);
    addShot<Missile>(-10.0f, 0.0f, true);
    addShot<Missile>(-6.5f, 0.0f, false);
    contactFrame();
    EXPECT_EQ(wedge.getHitPoints(), 1);
    EXPECT_EQ(game.ship.getLives(), 5);
    EXPECT_EQ(game.projectiles.size(), 2u);

    // An enemy shot in the ship's band is spent on it.
    addShot<Missile>(-6.0f, 5.0f, true);
    contactFrame();
    EXPECT_EQ(game.ship.getLives(), 4);
    EXPECT_EQ(game.projectiles.size(), 2u);
}

TEST_F(Collisions, ALaserBeamHitsInItsHitFramesOnlyAndIsNeverSpent) {
    BossEnemy& boss = addEnemy<BossEnemy>(-12.0f, 0.0f);
    // Nearer the camera than the ship, still inside the beam's reach.
    addEnemy<WedgeEnemy>(-2.0f, 0.5f, 1);
    addShot<Laser>(-10.0f, 0.0f);
    int frames = 0;
    while (!game.projectiles.empty()) {
        game.runCollisions();
        game.removeDead();
        for (auto& shot : game.projectiles) {
            shot->update();
        }
        game.removeDead();
        ++frames;
        if (frames == 1) {
            EXPECT_EQ(game.enemies.size(), 1u);
        }
    }
    EXPECT_EQ(frames, 31);
    EXPECT_EQ(boss.getHitPoints(), 45);
    EXPECT_EQ(game.ship.getScore(), 8);
}

TEST_F(Collisions, KillingTheBossScoresAndClearsItsBarInTheSameFrame) {
    BossEnemy& boss = addEnemy<BossEnemy>(-12.0f, 0.0f);
    game.aimAtShip();
    EXPECT_EQ(game.bossHitPoints, 50);
    boss.takeDamage(47);
    addShot<Missile>(-12.0f, 0.0f);
    game.runCollisions();
    game.removeDead();
    EXPECT_EQ(game.bossHitPoints, 0);
    EXPECT_TRUE(game.bossDefeated);
    EXPECT_EQ(game.ship.getScore(), 250);
}

TEST_F(Collisions, ARingKillScoresNothing) {
    addEnemy<RingEnemy>(-10.0f, 10.0f);
    addShot<Missile>(-10.0f, 10.0f);
    game.runCollisions();
    game.removeDead();
    EXPECT_TRUE(game.enemies.empty());
    EXPECT_EQ(game.ship.getScore(), 0);
}

TEST_F(Collisions, ACaughtPickupIsGoneAtOnceAndAWrenchAtFiveLivesChangesNothingElse) {
    seedGivingAngle(3);
    game.dropPowerup(1);
    seedGivingAngle(-2);
    game.dropPowerup(2);
    // Drawn 260 times, the pickups lie at depth -7 in the ship's band.
    for (int i = 0; i < 260; ++i) {
        for (auto& powerup : game.powerups) {
            powerup->drift();
        }
    }
    game.runCollisions();
    EXPECT_TRUE(game.powerups.empty());
    EXPECT_EQ(game.ship.getLives(), 5);
    EXPECT_TRUE(game.ship.gotWeapon2);
}

TEST_F(Collisions, TheSwarmTakesNineteenHitsAndItsLastPieceStartsTheEndlessPhase) {
    game.splitterGroup.launchPending = true;
    game.splitterGroup.update();
    int hits = 0;
    while (!game.splitterGroup.splitters.empty() && hits < 40) {
        const SplitterEnemy& target = **game.splitterGroup.splitters.begin();
        addShot<Missile>(target.getDepth(), target.getAngle());
        const std::size_t before = game.explosions.size();
        game.runCollisions();
        hits += static_cast<int>(game.explosions.size() - before);
        EXPECT_FALSE(game.endlessSpawning);
        game.removeDead();
    }
    EXPECT_EQ(hits, 19);
    EXPECT_EQ(game.splitterGroup.remaining, 0);
    EXPECT_TRUE(game.endlessSpawning);
}

} // namespace
