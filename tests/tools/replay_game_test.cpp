// Whole games played through the replay tool and read back from its trace.
#include "tests/tools/replay_run.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string shipOf(const std::string& line) {
    const std::size_t at = line.find("\"ship\":{");
    return line.substr(at, line.find('}', at) - at);
}

std::string intervalsOf(const std::string& line) {
    const std::size_t at = line.find("\"intervals\":[") + 13;
    return line.substr(at, line.find(']', at) - at);
}

std::string shotsOf(const std::string& line) {
    const std::size_t at = line.find("\"shots\":[");
    return line.substr(at, line.find(']', at) - at);
}

TEST(ReplayGame, HoldingLeftThenSpaceSteersToTheEdgeAndFiresAtTheLaunchersCadence) {
    const ToolRun run = runScript("2 down RETURN\n3 up RETURN\n"
                                  "10 down LEFT\n80 up LEFT\n80 down SPACE\nend 140\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> calls = linesOf(run.out);
    ASSERT_EQ(calls.size(), 140u);
    // Left held from call 10: 62 updates of half a degree reach the edge and stay there.
    EXPECT_EQ(rawMember(shipOf(calls[70]), "angle"), "-30.5");
    EXPECT_EQ(rawMember(shipOf(calls[71]), "angle"), "-31");
    EXPECT_EQ(rawMember(shipOf(calls[79]), "angle"), "-31");
    // Then it drifts back at 0.2 a frame.
    EXPECT_EQ(rawMember(shipOf(calls[80]), "angle"), "-30.8");

    // The cooldown ran out long ago, so the first shot comes with the first Space, created at
    // the launcher's tip; shots then come every 26 frames, the newest first in the list.
    EXPECT_TRUE(boolMember(shipOf(calls[80]), "fire"));
    EXPECT_EQ(shotsOf(calls[80]),
              "\"shots\":[{\"type\":1,\"angle\":-30.8,\"depth\":-8,\"enemy\":false}");
    EXPECT_EQ(rawMember(shotsOf(calls[81]), "depth"), "-8.05");
    for (int call = 81; call < 106; ++call) {
        EXPECT_FALSE(boolMember(shipOf(calls[call]), "fire")) << "call " << call;
    }
    EXPECT_TRUE(boolMember(shipOf(calls[106]), "fire"));
    EXPECT_EQ(rawMember(shotsOf(calls[106]), "depth"), "-8");
}

// tests/tools/complete_game.replay: a game that scores, catches the second weapon, pauses and
// resumes, loses all its lives, and restarts with F2.
TEST(ReplayGame, ACompleteGameFromPlayToRestart) {
    const ToolRun run =
        runReplay({std::string(GLIMMERWAKE_SOURCE_DIR) + "/tests/tools/complete_game.replay"},
                  testDirectory());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> calls = linesOf(run.out);

    int scoredAt = -1;
    int caughtAt = -1;
    int pausedAt = -1;
    int resumedAt = -1;
    int lifeLostAt = -1;
    int overAt = -1;
    int restartedAt = -1;
    int pausedFrame = -1;
    for (int call = 1; call < static_cast<int>(calls.size()); ++call) {
        const std::string& line = calls[call];
        const std::string ship = shipOf(line);
        if (scoredAt < 0 && intMember(ship, "score") > 0) {
            scoredAt = call;
        }
        if (caughtAt < 0 && intMember(ship, "highest") == 2) {
            caughtAt = call;
            EXPECT_EQ(intMember(ship, "weapon"), 2);
            EXPECT_TRUE(boolMember(ship, "switching"));
        }
        const bool paused = boolMember(line, "paused");
        const bool over = boolMember(line, "over");
        if (pausedAt < 0 && paused && !over) {
            pausedAt = call;
            pausedFrame = intMember(line, "frame");
        }
        if (pausedAt > 0 && resumedAt < 0) {
            if (paused) {
                // Nothing moves while the game is paused.
                EXPECT_EQ(intMember(line, "frame"), pausedFrame) << "call " << call;
            } else {
                resumedAt = call;
            }
        }
        if (lifeLostAt < 0 && intMember(ship, "lives") < 5) {
            lifeLostAt = call;
        }
        if (overAt < 0 && over) {
            overAt = call;
            EXPECT_EQ(intMember(ship, "lives"), 0);
            EXPECT_TRUE(paused);
        }
        if (overAt > 0 && restartedAt < 0 && !over) {
            restartedAt = call;
        }
    }
    ASSERT_GT(scoredAt, 0);
    ASSERT_GT(caughtAt, scoredAt);
    ASSERT_GT(pausedAt, caughtAt);
    ASSERT_GT(resumedAt, pausedAt + 50);
    ASSERT_GT(lifeLostAt, resumedAt);
    ASSERT_GT(overAt, lifeLostAt);
    ASSERT_GT(restartedAt, overAt);

    // The restart: frame 0 again, a full ship, and rings every 120 frames instead of 90.
    const std::string& before = calls[restartedAt - 1];
    const std::string& after = calls[restartedAt];
    EXPECT_EQ(intervalsOf(before).substr(intervalsOf(before).rfind(',')), ",90");
    EXPECT_EQ(intervalsOf(after), "120,220,280,340,120");
    EXPECT_EQ(intMember(after, "frame"), 0);
    EXPECT_EQ(intMember(shipOf(after), "lives"), 5);
    EXPECT_EQ(intMember(shipOf(after), "score"), 0);
    EXPECT_EQ(intMember(shipOf(after), "highest"), 1);
    EXPECT_FALSE(boolMember(after, "paused"));
    EXPECT_EQ(intMember(calls[restartedAt + 1], "frame"), 1);
}

} // namespace
