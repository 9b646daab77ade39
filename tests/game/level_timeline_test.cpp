#include "game/game.h"
#include "tests/support/rules_machine.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

// The frames at which each kind of enemy was spawned, by kind id.
using Schedule = std::map<int, std::vector<int>>;

// Runs the level's script and clock alone, without the ship or collisions. The boss is taken as
// destroyed the moment it appears, so the clock runs on through the whole level.
Schedule playLevel(Game& game, int untilFrame) {
    Schedule spawned;
    while (game.frameCounter < untilFrame) {
        const std::size_t before = game.enemies.size();
        const int frame = game.frameCounter;
        game.runLevelTimeline();
        auto it = game.enemies.begin();
        for (std::size_t n = before; n < game.enemies.size(); ++n, ++it) {
            spawned[(*it)->getKindId()].push_back(frame);
        }
        if (!game.enemies.empty() && (*game.enemies.begin())->getKindId() == 5) {
            game.bossDefeated = true;
        }
        game.advanceFrameCounter();
    }
    return spawned;
}

std::vector<int> every(int first, int last, int step) {
    std::vector<int> frames;
    for (int f = first; f <= last; f += step) {
        frames.push_back(f);
    }
    return frames;
}

std::vector<int> joined(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(LevelTimeline, AFreshGameSpawnsTheWholeScheduleWithClosedWindowEnds) {
    rules_machine::reset();
    Game game;
    const Schedule spawned = playLevel(game, 9001);
    EXPECT_EQ(spawned.at(1), joined(joined(every(0, 3480, 120), {3600}), every(5325, 6450, 75)));
    EXPECT_EQ(spawned.at(2), joined(every(1100, 3520, 220), every(5300, 6400, 100)));
    EXPECT_EQ(spawned.at(3), joined(every(2240, 3360, 280), every(5375, 6375, 125)));
    EXPECT_EQ(spawned.at(4), joined({3060, 3400, 3640}, every(3910, 4930, 85)));
    EXPECT_EQ(spawned.at(5), std::vector<int>{6800});
    EXPECT_EQ(spawned.at(6), every(7380, 8640, 90));
    EXPECT_TRUE(game.splitterGroup.launchPending);

    // Pickups: the second weapon at 3500, wrenches at 6600, 6875 and 8800, the laser at 7000.
    std::vector<int> types;
    for (const auto& powerup : game.powerups) {
        types.push_back(powerup->getType());
    }
    EXPECT_EQ(types, (std::vector<int>{1, 3, 1, 1, 2}));
}

TEST(LevelTimeline, AResetGameSpawnsTwelveRingsAndThePeriodsDropAtTenThousand) {
    rules_machine::reset();
    Game game;
    playLevel(game, 100);
    game.spawnIntervals.ring = 120; // what the reset writes
    game.frameCounter = 0;
    const Schedule spawned = playLevel(game, 10001);
    EXPECT_EQ(spawned.at(6), every(7320, 8640, 120));
    const SpawnIntervals& p = game.spawnIntervals;
    EXPECT_EQ((std::vector<int>{p.wedge0, p.wedge1, p.wedge2, p.square, p.ring}),
              (std::vector<int>{65, 90, 115, 75, 110}));
}

TEST(LevelTimeline, TheClockHoldsWhileTheBossLivesAndNothingSpawns) {
    rules_machine::reset();
    Game game;
    game.frameCounter = 6800;
    game.runLevelTimeline();
    game.advanceFrameCounter();
    ASSERT_EQ(game.enemies.size(), 1u);
    for (int i = 0; i < 500; ++i) {
        game.runLevelTimeline();
        game.advanceFrameCounter();
    }
    EXPECT_EQ(game.frameCounter, 6801);
    EXPECT_EQ(game.enemies.size(), 1u);
    EXPECT_EQ(game.weaponPrompt, 0);
    game.bossDefeated = true;
    game.runLevelTimeline();
    game.advanceFrameCounter();
    EXPECT_EQ(game.frameCounter, 6802);
}

TEST(LevelTimeline, PromptsShowInsideTheirWindowsOnly) {
    rules_machine::reset();
    Game game;
    const auto promptAt = [&game](int frame) {
        game.frameCounter = frame;
        game.runLevelTimeline();
        return game.weaponPrompt;
    };
    EXPECT_EQ(promptAt(3750), 0);
    EXPECT_EQ(promptAt(3751), 1);
    EXPECT_EQ(promptAt(3899), 1);
    EXPECT_EQ(promptAt(3900), 0);
    EXPECT_EQ(promptAt(5001), 2);
    EXPECT_EQ(promptAt(5249), 2);
    EXPECT_EQ(promptAt(5250), 0);
}

TEST(LevelTimeline, OnceTheSwarmIsGoneEveryKindButTheBossSpawnsOnItsPeriodAlone) {
    rules_machine::reset();
    Game game;
    game.endlessSpawning = true;
    game.frameCounter = 138600; // a multiple of every period
    game.spawnIntervals.square = 100;
    game.runLevelTimeline();
    std::vector<int> kinds;
    for (const auto& enemy : game.enemies) {
        kinds.push_back(enemy->getKindId());
    }
    EXPECT_EQ(kinds, (std::vector<int>{6, 4, 3, 2, 1}));
}

} // namespace
