#include "base/random.h"
#include "entities/boss_enemy.h"
#include "entities/powerup.h"
#include "entities/ring_enemy.h"
#include "entities/square_enemy.h"
#include "entities/wedge_enemy.h"
#include "tests/entities/placed.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Updates until the enemy stops approaching; gives the number of approach steps.
int approach(Enemy& enemy) {
    int steps = 0;
    while (enemy.getDepth() < -12.0f) {
        enemy.update();
        ++steps;
    }
    return steps;
}

TEST(Enemy, EntryAnglesAreWholeDegreesFromMinus31To30AndRepeatAfterTheSameSeed) {
    int lowest = 100;
    int highest = -100;
    for (std::uint32_t seed = 0; seed < 2000; ++seed) {
        seedRandom(seed);
        const WedgeEnemy wedge(0);
        const float angle = wedge.getAngle();
        ASSERT_EQ(angle, static_cast<float>(static_cast<int>(angle)));
        lowest = std::min(lowest, static_cast<int>(angle));
        highest = std::max(highest, static_cast<int>(angle));
    }
    EXPECT_EQ(lowest, -31);
    EXPECT_EQ(highest, 30);

    // Two frames in the same second reseed alike, so their first objects come in alike.
    seedRandom(1781000000);
    const float expected = static_cast<float>(nextRandom() % 62 - 31);
    seedRandom(1781000000);
    const SquareEnemy square;
    seedRandom(1781000000);
    const RingEnemy ring;
    seedRandom(1781000000);
    const Powerup powerup(2);
    EXPECT_EQ(square.getAngle(), expected);
    EXPECT_EQ(ring.getAngle(), expected);
    EXPECT_EQ(powerup.getAngle(), expected);
}

TEST(Enemy, TakeDamageSaysWhenNoHitPointsAreLeft) {
    SquareEnemy square;
    EXPECT_TRUE(square.takeDamage(3));

    BossEnemy boss;
    for (int hit = 1; hit < 50; ++hit) {
        ASSERT_FALSE(boss.takeDamage(1)) << hit;
    }
    EXPECT_TRUE(boss.takeDamage(1));

    // Any amount is taken, and hit points may go below zero.
    WedgeEnemy wedge(0);
    EXPECT_TRUE(wedge.takeDamage(5));
    EXPECT_EQ(wedge.getHitPoints(), -4);
    EXPECT_FALSE(wedge.dead);
}

TEST(WedgeEnemy, FliesPastTheCameraInItsUpdateCountBySubKind) {
    const int lastUpdate[] = {200, 112, 126};
    for (int subKind = 0; subKind < 3; ++subKind) {
        SCOPED_TRACE(subKind);
        WedgeEnemy wedge(subKind);
        EXPECT_EQ(wedge.getKindId(), subKind + 1);
        for (int update = 1; update < lastUpdate[subKind]; ++update) {
            wedge.update();
            ASSERT_FALSE(wedge.dead) << update;
        }
        wedge.update();
        EXPECT_TRUE(wedge.dead);
    }
}

TEST(WedgeEnemy, DiesOnReachingDepthZeroExactlyOrCrossingIt) {
    Placed<WedgeEnemy> exact(0);
    exact.place(-0.1f, 0.0f);
    exact.update();
    EXPECT_EQ(exact.getDepth(), 0.0f);
    EXPECT_TRUE(exact.dead);

    Placed<WedgeEnemy> crossing(0);
    crossing.place(-0.05f, 0.0f);
    crossing.update();
    EXPECT_TRUE(crossing.dead);

    Placed<WedgeEnemy> shortOfIt(0);
    shortOfIt.place(-0.2f, 0.0f);
    shortOfIt.update();
    EXPECT_FALSE(shortOfIt.dead);
}

TEST(WedgeEnemy, SweeperMovesAwayFromTheSideItCameInOn) {
    seedGivingAngle(0);
    WedgeEnemy straight(1);
    seedGivingAngle(-31);
    WedgeEnemy fromLeft(1);
    seedGivingAngle(30);
    WedgeEnemy fromRight(1);
    for (int update = 1; update <= 100; ++update) {
        straight.update();
        fromLeft.update();
        fromRight.update();
    }
    EXPECT_EQ(straight.getAngle(), 0.0f);
    // Unbounded: the one from the left is well past the centre by now.
    EXPECT_NEAR(fromLeft.getAngle(), -31.0f + 100 * 0.3f, 1e-3f);
    EXPECT_NEAR(fromRight.getAngle(), 30.0f - 100 * 0.3f, 1e-3f);
}

TEST(WedgeEnemy, HomingWedgeSettlesJustBelowTheCentreLine) {
    Placed<WedgeEnemy> wedge(2);
    wedge.place(-20.0f, 0.2f);
    wedge.update();
    EXPECT_NEAR(wedge.getAngle(), -0.1f, 1e-6f);
    for (int update = 0; update < 100; ++update) {
        wedge.update();
        ASSERT_NEAR(wedge.getAngle(), -0.1f, 1e-6f) << update;
    }
}

TEST(SquareAndBoss, Make58ApproachStepsAndHoldAtMinus11_88) {
    SquareEnemy square;
    BossEnemy boss;
    EXPECT_EQ(approach(square), 58);
    EXPECT_EQ(approach(boss), 58);
    EXPECT_NEAR(square.getDepth(), -11.88f, 1e-5f);
    EXPECT_NEAR(boss.getDepth(), -11.88f, 1e-5f);

    const float hold = square.getDepth();
    for (int update = 0; update < 2000; ++update) {
        square.update();
        ASSERT_EQ(square.getDepth(), hold) << update;
    }
    EXPECT_FALSE(square.dead);
}

TEST(SquareEnemy, StrafesUpFirstAndTurnsAtBothEdges) {
    Placed<SquareEnemy> square;
    approach(square);
    square.place(square.getDepth(), 0.0f);
    square.update();
    EXPECT_NEAR(square.getAngle(), 0.3f, 1e-6f);

    square.place(square.getDepth(), 30.8f);
    square.update();
    EXPECT_NEAR(square.getAngle(), 31.1f, 1e-5f);
    square.update();
    EXPECT_NEAR(square.getAngle(), 30.8f, 1e-5f);

    // Reaching the lower edge exactly turns it as well.
    const float justAbove = -31.0f + 0.3f;
    ASSERT_EQ(justAbove - 0.3f, -31.0f);
    square.place(square.getDepth(), justAbove);
    square.update();
    EXPECT_EQ(square.getAngle(), -31.0f);
    square.update();
    EXPECT_NEAR(square.getAngle(), -30.7f, 1e-5f);
}

TEST(SquareEnemy, FiresIn56thHoldingFrameThenEvery55) {
    SquareEnemy square;
    approach(square);
    std::vector<int> firing;
    for (int frame = 1; frame <= 250; ++frame) {
        square.update();
        if (square.isFiring()) {
            firing.push_back(frame);
            EXPECT_NEAR(square.getShotDepth(), square.getDepth() + 1.2f, 1e-5f);
        }
    }
    EXPECT_EQ(firing, (std::vector<int>{56, 111, 166, 221}));
}

TEST(BossEnemy, SteersTowardTheTargetAndOvershootsBackAndForth) {
    BossEnemy boss;
    approach(boss);
    const float target = boss.getAngle() - 0.1f;
    boss.setTargetAngle(target);
    boss.update();
    EXPECT_NEAR(boss.getAngle(), target - 0.2f, 1e-5f);
    boss.update();
    EXPECT_NEAR(boss.getAngle(), target + 0.1f, 1e-5f);

    // At exactly the target it moves right.
    boss.setTargetAngle(boss.getAngle());
    const float before = boss.getAngle();
    boss.update();
    EXPECT_NEAR(boss.getAngle(), before + 0.3f, 1e-5f);
}

TEST(BossEnemy, FiresIn77thHoldingFrameThenEvery76) {
    BossEnemy boss;
    approach(boss);
    std::vector<int> firing;
    for (int frame = 1; frame <= 400; ++frame) {
        boss.setTargetAngle(0.0f);
        boss.update();
        if (boss.isFiring()) {
            firing.push_back(frame);
            EXPECT_NEAR(boss.getShotDepth(), boss.getDepth() + 1.2f, 1e-5f);
        }
    }
    EXPECT_EQ(firing, (std::vector<int>{77, 153, 229, 305, 381}));
}

TEST(BossEnemy, DivesThroughTheShipsBandAndClimbsBack) {
    BossEnemy boss;
    approach(boss);
    const float hold = boss.getDepth();
    std::vector<float> depthAfter(1, hold);
    for (int frame = 1; frame <= 500; ++frame) {
        boss.setTargetAngle(0.0f);
        boss.update();
        depthAfter.push_back(boss.getDepth());
    }
    EXPECT_EQ(depthAfter[366], hold);
    EXPECT_NEAR(depthAfter[367], hold + 0.22f, 1e-4f);
    // 59 frames of diving take it from the holding depth past the ship, to about +1.1.
    EXPECT_NEAR(depthAfter[425], hold + 59 * 0.22f, 1e-3f);
    EXPECT_EQ(depthAfter[426], depthAfter[425]);
    EXPECT_NEAR(depthAfter[427], depthAfter[426] - 0.22f, 1e-4f);
    // Back at the holding depth, where climbing and approach steps take turns around -12.
    for (int frame = 487; frame <= 500; ++frame) {
        EXPECT_GT(depthAfter[frame], -12.0f - 0.22f) << frame;
        EXPECT_LT(depthAfter[frame], -12.0f + 0.14f) << frame;
    }
}

} // namespace
