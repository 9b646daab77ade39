#include "base/random.h"
#include "entities/explosion.h"
#include "entities/powerup.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(Explosion, TakesThirtyStepsThenFinishes) {
    Explosion explosion(-9.0f, 12.0f);
    EXPECT_EQ(explosion.getDepth(), -9.0f);
    EXPECT_EQ(explosion.getAngle(), 12.0f);
    for (int step = 1; step < 30; ++step) {
        explosion.advanceAnimation();
        EXPECT_FALSE(explosion.isFinished());
    }
    explosion.advanceAnimation();
    EXPECT_EQ(explosion.getAnimStep(), 30);
    EXPECT_TRUE(explosion.isFinished());
}

TEST(Powerup, ShowsTheStepItsAnimationStoodAtBeforeItMovedOn) {
    Powerup pickup(2);
    std::vector<int> shown;
    for (int frame = 0; frame < 42; ++frame) {
        pickup.drift();
        shown.push_back(pickup.getShownStep());
    }
    EXPECT_EQ(shown[0], 0);
    EXPECT_EQ(shown[19], 19);
    EXPECT_EQ(shown[20], 18);
    EXPECT_EQ(shown[38], 0);
    EXPECT_EQ(shown[39], 1);
}

TEST(Powerup, PickupSpendsFortyFramesInTheShipsBand) {
    seedRandom(5);
    Powerup pickup(2);
    EXPECT_EQ(pickup.getType(), 2);
    EXPECT_EQ(pickup.getHalfWidth(), 6.1875f);
    // It moves only in the frames that show it.
    EXPECT_EQ(pickup.getDepth(), -20.0f);

    const auto inBand = [](float depth) { return depth >= -7.5f && depth <= -5.5f; };
    std::vector<int> inside;
    for (int shown = 1; shown <= 600; ++shown) {
        pickup.drift();
        if (shown == 250) {
            EXPECT_NEAR(pickup.getDepth(), -7.50003f, 1e-5f);
        }
        if (shown == 251) {
            EXPECT_NEAR(pickup.getDepth(), -7.45003f, 1e-5f);
        }
        if (inBand(pickup.getDepth())) {
            inside.push_back(shown);
        }
    }
    ASSERT_EQ(inside.size(), 40u);
    EXPECT_EQ(inside.front(), 251);
    EXPECT_EQ(inside.back(), 290);
}

} // namespace
