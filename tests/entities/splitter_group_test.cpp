#include "base/random.h"
#include "entities/splitter_group.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

SplitterGroup launched() {
    seedRandom(1781000000);
    SplitterGroup group;
    group.launchPending = true;
    group.update();
    return group;
}

TEST(SplitterGroup, LaunchBringsOneWholeSplitterInFromTheFarEndAndMovesIt) {
    seedRandom(1781000000);
    const float angle = static_cast<float>(nextRandom() % 62 - 31);
    SplitterGroup group = launched();
    EXPECT_FALSE(group.launchPending);
    ASSERT_EQ(group.splitters.size(), 1u);
    const SplitterEnemy& splitter = **group.splitters.begin();
    EXPECT_EQ(splitter.getHitPoints(), 16);
    // One entering step and one drift step past the far end.
    EXPECT_GT(splitter.getDepth(), -20.0f + 0.1f);
    EXPECT_LT(splitter.getDepth(), -20.0f + 0.1f + 0.15f);
    EXPECT_NEAR(splitter.getAngle(), angle, 0.5f);

    group.update();
    EXPECT_EQ(group.splitters.size(), 1u);
}

TEST(SplitterGroup, SplitOnAnEmptyGroupOnlyDoublesTheGeneration) {
    SplitterGroup group;
    group.split();
    EXPECT_EQ(group.generation, 2);
    EXPECT_TRUE(group.splitters.empty());
    EXPECT_EQ(group.remaining, 16);
}

TEST(SplitterGroup, FirstSplitPutsATwinInFrontAtTheSamePlace) {
    SplitterGroup group = launched();
    const SplitterEnemy* parent = group.splitters.begin()->get();
    group.split();
    ASSERT_EQ(group.splitters.size(), 2u);
    const SplitterEnemy* twin = group.splitters.begin()->get();
    EXPECT_NE(twin, parent);
    EXPECT_EQ(std::next(group.splitters.begin())->get(), parent);
    for (const auto& splitter : group.splitters) {
        EXPECT_EQ(splitter->getDepth(), parent->getDepth());
        EXPECT_EQ(splitter->getAngle(), parent->getAngle());
        EXPECT_EQ(splitter->getHitPoints(), 8);
        EXPECT_FLOAT_EQ(splitter->getHalfWidth(), 8.0f);
        EXPECT_FLOAT_EQ(splitter->getHalfDepth(), 1.25f);
    }
}

TEST(SplitterGroup, SplitsDoubleTheSwarmUpToSixteenAndNoFurther) {
    struct Step {
        int generation;
        std::size_t count;
        int hitPoints;
        float halfWidth, halfDepth;
    };
    // Splits without an update in between, as several hits in one frame give them.
    const Step steps[] = {{2, 2, 8, 8.0f, 1.25f},
                          {4, 4, 4, 4.0f, 0.625f},
                          {8, 8, 2, 2.0f, 0.3125f},
                          {16, 16, 1, 1.0f, 0.15625f},
                          {16, 16, 1, 1.0f, 0.15625f}};
    SplitterGroup group = launched();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.generation);
        group.split();
        EXPECT_EQ(group.generation, step.generation);
        ASSERT_EQ(group.splitters.size(), step.count);
        for (const auto& splitter : group.splitters) {
            EXPECT_EQ(splitter->getHitPoints(), step.hitPoints);
            EXPECT_FLOAT_EQ(splitter->getHalfWidth(), step.halfWidth);
            EXPECT_FLOAT_EQ(splitter->getHalfDepth(), step.halfDepth);
        }
    }
    EXPECT_EQ(group.remaining, 16);
}

// Hits the front splitter the way the frame step does: split first, and damage only once the
// swarm is in its last generation; then the removal pass.
void hitFront(SplitterGroup& group) {
    SplitterEnemy& hit = **group.splitters.begin();
    group.split();
    if (group.generation >= 16) {
        hit.dead = hit.takeDamage(1);
    }
    for (auto it = group.splitters.begin(); it != group.splitters.end();) {
        if ((*it)->dead) {
            it = group.splitters.remove(it);
            --group.remaining;
        } else {
            ++it;
        }
    }
}

TEST(SplitterGroup, ASwarmTakesNineteenHitsToClear) {
    SplitterGroup group = launched();
    int hits = 0;
    while (group.remaining > 0 && !group.splitters.empty()) {
        hitFront(group);
        ++hits;
        if (hits <= 3) {
            EXPECT_EQ(group.remaining, 16) << hits;
        }
        if (hits == 4) {
            EXPECT_EQ(group.remaining, 15);
            EXPECT_EQ(group.splitters.size(), 15u);
        }
        group.update();
    }
    EXPECT_EQ(hits, 19);
    EXPECT_EQ(group.remaining, 0);
    EXPECT_TRUE(group.splitters.empty());
}

TEST(SplitterGroup, ResetEmptiesTheGroupAndRestoresItsCounters) {
    SplitterGroup group;
    for (int i = 0; i < 3; ++i) {
        group.splitters.pushFront(std::make_unique<SplitterEnemy>(8, -10.0f, 0.0f));
    }
    group.generation = 8;
    group.launchPending = true;
    group.remaining = 5;
    group.reset();
    EXPECT_TRUE(group.splitters.empty());
    EXPECT_EQ(group.generation, 1);
    EXPECT_FALSE(group.launchPending);
    EXPECT_EQ(group.remaining, 16);
}

} // namespace
