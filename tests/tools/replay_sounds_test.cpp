// What a whole game asks to be heard, read with the replay tool's --sounds beside its trace: every
// sound must come in the call whose state shows its event, and none without one.
#include "tests/tools/replay_run.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The effects heard in each call, from lines "CALL NAME".
std::map<int, std::vector<std::string>> soundsByCall(const std::string& text) {
    std::map<int, std::vector<std::string>> byCall;
    std::istringstream in(text);
    int call = 0;
    std::string name;
    while (in >> call >> name) {
        byCall[call].push_back(name);
    }
    return byCall;
}

int count(const std::vector<std::string>& sounds, const std::string& name) {
    int n = 0;
    for (const std::string& s : sounds) {
        n += s == name;
    }
    return n;
}

const char* const kShotSounds[] = {"", "missile_shot", "destroyer_shot", "laser_shot"};

// The theme the music must play after a call, read from the call's trace line alone.
std::string themeOf(const std::string& line) {
    const std::string state = rawMember(line, "state");
    if (state == "\"Init\"" || state == "\"Menu\"") {
        return "menu";
    }
    if (state == "\"Quit\"") {
        return "silence";
    }
    if (boolMember(line, "over")) {
        return "game_over";
    }
    if (boolMember(line, "paused")) {
        return "paused";
    }
    if (intMember(line, "generation") > 1 || boolMember(line, "endless")) {
        return "finale";
    }
    const bool bossOut = holds(line, "\"kind\":5,");
    const bool swarmOut = !holds(line, "\"splitters\":[]");
    return bossOut || swarmOut ? "boss" : "level";
}

// What one replayed game was heard to do, counted while every call is checked against its state.
struct Heard {
    int shots = 0;
    int laserShots = 0;
    int pauses = 0;
    int bossDestroyed = 0;
    int splits = 0;
    // Every theme the music was cued to, in order.
    std::vector<std::string> themes;
};

// The music's changes, from lines "CALL THEME".
std::map<int, std::string> themeChanges(const std::string& text) {
    std::map<int, std::string> byCall;
    std::istringstream in(text);
    int call = 0;
    std::string theme;
    while (in >> call >> theme) {
        byCall[call] = theme;
    }
    return byCall;
}

// The music is cued in the first call and then in exactly the calls whose state calls for
// another theme than the call before's.
std::vector<std::string> checkMusic(const std::string& name, const std::vector<std::string>& calls,
                                    const std::map<int, std::string>& changes) {
    std::vector<std::string> themes;
    std::map<int, std::string> expected;
    for (std::size_t k = 0; k < calls.size(); ++k) {
        const std::string theme = themeOf(calls[k]);
        if (k == 0 || theme != themes.back()) {
            expected[static_cast<int>(k)] = theme;
            themes.push_back(theme);
        }
    }
    EXPECT_EQ(changes, expected) << name;
    return themes;
}

// Replays the committed script NAME with --sounds and checks every call's sounds against the
// change of state they stand for.
Heard replayAndListen(const std::string& name) {
    Heard tally;
    const std::string dir = testDirectory();
    const ToolRun run =
        runReplay({"--sounds", dir + "/sounds.txt", "--music", dir + "/music.txt",
                   std::string(GLIMMERWAKE_SOURCE_DIR) + "/tests/tools/" + name + ".replay"},
                  dir);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> calls = linesOf(run.out);
    auto heard = soundsByCall(readWhole(dir + "/sounds.txt"));
    EXPECT_GT(calls.size(), 3u);
    if (calls.size() <= 3) {
        return tally;
    }
    tally.themes = checkMusic(name, calls, themeChanges(readWhole(dir + "/music.txt")));

    EXPECT_EQ(heard[2], std::vector<std::string>{"menu_confirm"});
    for (std::size_t k = 3; k < calls.size(); ++k) {
        const std::string& now = calls[k];
        const std::string& before = calls[k - 1];
        const std::vector<std::string>& sounds = heard[static_cast<int>(k)];
        // A lost game's frame counter keeps time for the wreck, but nothing is updated; while
        // the boss lives the counter holds, but every unpaused call is an update.
        const bool holding = intMember(now, "frame") == intMember(before, "frame") &&
                             rawMember(now, "state") == "\"Playing\"" &&
                             !boolMember(now, "paused") && !boolMember(before, "paused");
        const bool updated = (intMember(now, "frame") != intMember(before, "frame") || holding) &&
                             !boolMember(before, "over");
        // A shot is fired in every update in which the ship asks to fire.
        const std::string shot = kShotSounds[intMember(now, "weapon") & 3];
        const int firing = updated && boolMember(now, "fire") ? 1 : 0;
        EXPECT_EQ(count(sounds, shot), firing) << name << " call " << k;
        tally.shots += firing;
        tally.laserShots += count(sounds, "laser_shot");

        const bool paused = boolMember(now, "paused") && !boolMember(now, "over");
        const bool wasPaused = boolMember(before, "paused") && !boolMember(before, "over");
        EXPECT_EQ(count(sounds, "pause"), paused && !wasPaused ? 1 : 0) << name << " call " << k;
        EXPECT_EQ(count(sounds, "resume"), !boolMember(now, "paused") && wasPaused ? 1 : 0)
            << name << " call " << k;
        tally.pauses += paused && !wasPaused;
        EXPECT_EQ(count(sounds, "game_over"),
                  boolMember(now, "over") && !boolMember(before, "over") ? 1 : 0)
            << name << " call " << k;
        if (boolMember(now, "paused") && boolMember(before, "paused")) {
            // A paused game, lost or not, is silent but for the overlay's choice.
            for (const std::string& s : sounds) {
                EXPECT_EQ(s, "menu_confirm") << name << " call " << k;
            }
        }

        // The boss falls once, in the call that marks it defeated; the swarm is heard splitting
        // in exactly the calls in which its generation grows, once for every doubling.
        const bool bossFell =
            boolMember(now, "bossDefeated") && !boolMember(before, "bossDefeated");
        EXPECT_EQ(count(sounds, "boss_destroyed"), bossFell ? 1 : 0) << name << " call " << k;
        tally.bossDestroyed += count(sounds, "boss_destroyed");
        // Two hits in one call double the generation twice, and are heard twice.
        int doublings = 0;
        for (int g = intMember(before, "generation"); g > 0 && g < intMember(now, "generation");
             g *= 2) {
            ++doublings;
        }
        EXPECT_EQ(count(sounds, "swarm_split"), doublings) << name << " call " << k;
        tally.splits += doublings;
    }
    return tally;
}

TEST(ReplaySounds, AWholeGameIsHeardInTheCallsItsEventsHappenIn) {
    const Heard heard = replayAndListen("complete_game");
    // The game above fires, pauses, resumes, loses and restarts: every check had work to do.
    EXPECT_GT(heard.shots, 100);
    EXPECT_EQ(heard.pauses, 1);
    // The menu, the level, the pause and back, the sting, and the level again after the restart.
    EXPECT_EQ(heard.themes,
              (std::vector<std::string>{"menu", "level", "paused", "level", "game_over", "level"}));
}

class ReplaySoundsOfTheWholeLevel : public testing::TestWithParam<const char*> {};

// The pilot's games beat the boss, take the laser and split the swarm down to sixteen.
TEST_P(ReplaySoundsOfTheWholeLevel, TheBossTheSwarmAndTheLaserAreHeard) {
    const Heard heard = replayAndListen(GetParam());
    EXPECT_EQ(heard.bossDestroyed, 1);
    // 1 to 2, 4, 8 and 16.
    EXPECT_EQ(heard.splits, 4);
    EXPECT_GT(heard.laserShots, 0);
    // The boss comes and goes, the swarm comes whole and then splits, and the finale plays on.
    const std::vector<std::string> themes = heard.themes;
    const auto at = [&](const char* theme) {
        return std::find(themes.begin(), themes.end(), theme) - themes.begin();
    };
    ASSERT_LT(at("finale"), static_cast<long>(themes.size()));
    EXPECT_LT(at("level"), at("boss"));
    EXPECT_LT(at("boss"), at("finale"));
    EXPECT_EQ(std::count(themes.begin(), themes.end(), "boss"), 2);
}

INSTANTIATE_TEST_SUITE_P(Flown, ReplaySoundsOfTheWholeLevel,
                         testing::Values("whole_level_1", "whole_level_2", "whole_level_3"));

TEST(ReplaySounds, WritingTheSoundsChangesNothingInTheTrace) {
    const std::string dir = testDirectory();
    const std::string script =
        std::string(GLIMMERWAKE_SOURCE_DIR) + "/tests/tools/complete_game.replay";
    const ToolRun plain = runReplay({script}, dir);
    const ToolRun listening =
        runReplay({"--sounds", dir + "/sounds.txt", "--music", dir + "/music.txt", script}, dir);
    ASSERT_EQ(plain.status, 0);
    ASSERT_EQ(listening.status, 0);
    EXPECT_TRUE(plain.out == listening.out);
}

TEST(ReplaySounds, AnUnwritableSoundsOrMusicFileIsAnErrorBeforeAnythingRuns) {
    for (const char* what : {"sounds", "music"}) {
        const ToolRun run = runReplay({std::string("--") + what, "/nonexistent/dir/file.txt", "-"},
                                      testDirectory(), "end 5\n");
        EXPECT_EQ(run.status, 2) << what;
        EXPECT_TRUE(run.out.empty());
        EXPECT_TRUE(holds(run.err, std::string("cannot write the ") + what)) << run.err;
    }
}

} // namespace
