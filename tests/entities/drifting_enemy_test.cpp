#include "base/play_field.h"
#include "base/random.h"
#include "entities/ring_enemy.h"
#include "entities/splitter_enemy.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

// The random draws a drifting enemy makes when it is made, replayed from the same seed, and the
// raw value of the draw after them; the seed is set again for the enemy itself.
struct Draws {
    int angle, heading, angleDir, next;
};

Draws replay(std::uint32_t seed, int headingRange) {
    seedRandom(seed);
    Draws draws{};
    draws.angle = nextRandom() % 62 - 31;
    draws.heading = nextRandom() % headingRange + 20;
    draws.angleDir = (nextRandom() & 2) != 0 ? 1 : -1;
    draws.next = nextRandom();
    seedRandom(seed);
    return draws;
}

TEST(RingEnemy, DrawsAngleHeadingAndDirectionInThatOrder) {
    // A seed whose ring comes in away from the side edges.
    std::uint32_t seed = 1;
    while (std::abs(replay(seed, 20).angle) > 25) {
        ++seed;
    }
    const Draws draws = replay(seed, 20);
    RingEnemy ring;
    ASSERT_EQ(ring.getAngle(), static_cast<float>(draws.angle));
    ring.update();
    const float a = static_cast<float>(draws.heading) * kDegreesToRadians;
    EXPECT_NEAR(ring.getAngle(), draws.angle + std::cos(a) * 0.3f * draws.angleDir, 1e-5f);
    EXPECT_NEAR(ring.getDepth(), -20.0f + std::sin(a) * 0.5f, 1e-5f);
}

TEST(RingEnemy, BouncesInsideItsDepthRangeOnceItHasComeIn) {
    for (std::uint32_t seed = 0; seed < 20; ++seed) {
        SCOPED_TRACE(seed);
        seedRandom(seed);
        RingEnemy ring;
        while (ring.getDepth() <= -15.0f) {
            ring.update();
        }
        float nearest = -100.0f;
        float farthest = 0.0f;
        for (int update = 0; update < 3000; ++update) {
            ring.update();
            nearest = std::max(nearest, ring.getDepth());
            farthest = std::min(farthest, ring.getDepth());
        }
        EXPECT_LT(nearest, -3.0f + 0.5f);
        EXPECT_GT(nearest, -4.0f);
        EXPECT_GT(farthest, -15.0f - 0.5f);
        EXPECT_LT(farthest, -14.0f);
        EXPECT_FALSE(ring.dead);
    }
}

TEST(SplitterEnemy, LaterGenerationsStartWhereTheyAreGivenTheFirstAtTheFarEnd) {
    const SplitterEnemy child(4, -8.0f, 10.0f);
    EXPECT_EQ(child.getDepth(), -8.0f);
    EXPECT_EQ(child.getAngle(), 10.0f);
    EXPECT_EQ(child.getHitPoints(), 4);
    EXPECT_FLOAT_EQ(child.getHalfWidth(), 4.0f);
    EXPECT_FLOAT_EQ(child.getHalfDepth(), 0.625f);

    const Draws draws = replay(99, 10);
    const SplitterEnemy whole(1, -8.0f, 10.0f);
    EXPECT_EQ(whole.getDepth(), -20.0f);
    EXPECT_EQ(whole.getAngle(), static_cast<float>(draws.angle));
    EXPECT_EQ(whole.getHitPoints(), 16);
    EXPECT_FLOAT_EQ(whole.getHalfWidth(), 16.0f);
    EXPECT_FLOAT_EQ(whole.getHalfDepth(), 2.5f);
}

TEST(SplitterEnemy, ResizingForTheLastGenerationLeavesOneHitPoint) {
    SplitterEnemy splitter(1, 0.0f, 0.0f);
    const float depth = splitter.getDepth();
    const float angle = splitter.getAngle();
    splitter.resizeForGeneration(16);
    EXPECT_EQ(splitter.getHitPoints(), 1);
    EXPECT_FLOAT_EQ(splitter.getHalfWidth(), 1.0f);
    EXPECT_FLOAT_EQ(splitter.getHalfDepth(), 0.15625f);
    EXPECT_EQ(splitter.getDepth(), depth);
    EXPECT_EQ(splitter.getAngle(), angle);
}

TEST(SplitterEnemy, BouncingOffTheSideTurnsItAndKnocksItsHeadingByTheRawRandomValue) {
    // A seed whose splitter starts out toward increasing angles.
    std::uint32_t seed = 1;
    while (replay(seed, 10).angleDir != 1) {
        ++seed;
    }
    const Draws draws = replay(seed, 10);
    SplitterEnemy splitter(2, -10.0f, 36.0f);
    splitter.update();
    const float heading =
        static_cast<float>(draws.heading) - (static_cast<float>(draws.next) - 0.5f) / 1000;
    const float a = static_cast<float>(std::abs(static_cast<int>(heading))) * kDegreesToRadians;
    // Pulled back to 35.9, then on toward the centre.
    EXPECT_NEAR(splitter.getAngle(), 35.9f - std::cos(a) * 0.5f, 1e-5f);
    EXPECT_NEAR(splitter.getDepth(), -10.0f + std::sin(a) * 0.15f, 1e-5f);

    // Back inside the edge it keeps its new direction.
    const float inside = splitter.getAngle();
    ASSERT_LE(inside, 35.5f);
    splitter.update();
    EXPECT_LT(splitter.getAngle(), inside);
}

TEST(SplitterEnemy, StaysInsideItsRangeWhileItsHeadingDrifts) {
    for (std::uint32_t seed = 0; seed < 10; ++seed) {
        SCOPED_TRACE(seed);
        seedRandom(seed);
        SplitterEnemy splitter(1, 0.0f, 0.0f);
        for (int update = 0; update < 20000; ++update) {
            splitter.update();
            ASSERT_GE(splitter.getDepth(), -20.0f - 0.3f) << update;
            ASSERT_LE(splitter.getDepth(), -5.0f + 0.3f) << update;
            ASSERT_GE(splitter.getAngle(), -35.5f - 0.6f) << update;
            ASSERT_LE(splitter.getAngle(), 35.5f + 0.6f) << update;
        }
    }
}

} // namespace
