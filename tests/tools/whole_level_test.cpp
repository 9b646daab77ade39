// The whole level as the pilot flew it: each committed script is replayed by the built tool and
// its trace must show every step of the level, and be, byte for byte, the trace the digests were
// taken of (scripts/renew-whole-level.sh writes scripts and digests again after a meant change).
#include "tests/tools/replay_run.h"

#include <charconv>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string_view>

namespace {

constexpr int kBossHoldFrame = 6801;
constexpr int kEndlessFrames = 500;

const std::string kScripts = std::string(GLIMMERWAKE_SOURCE_DIR) + "/tests/tools/";

// The text right after `"name":` in a trace line, at its first mention.
std::string_view after(std::string_view line, std::string_view name) {
    const std::string key = "\"" + std::string(name) + "\":";
    const std::size_t at = line.find(key);
    return at == std::string_view::npos ? std::string_view{} : line.substr(at + key.size());
}

int intOf(std::string_view line, std::string_view name) {
    const std::string_view text = after(line, name);
    int value = -1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool flagOf(std::string_view line, std::string_view name) {
    return after(line, name).substr(0, 4) == "true";
}

int wrenchesOf(std::string_view line) {
    const std::string_view list = after(line, "powerups");
    int n = 0;
    for (std::size_t at = list.find("\"type\":1,"); at != std::string_view::npos;
         at = list.find("\"type\":1,", at + 1)) {
        ++n;
    }
    return n;
}

std::string sha256Of(const std::string& path) {
    std::FILE* pipe = popen(("sha256sum " + path).c_str(), "r");
    char digest[65] = {};
    const bool read = pipe != nullptr && std::fread(digest, 1, 64, pipe) == 64;
    if (pipe != nullptr) {
        pclose(pipe);
    }
    return read ? digest : "";
}

// The committed digest of the trace of `name`, from the list sha256sum writes and checks.
std::string committedDigest(const std::string& name) {
    std::istringstream list(readWhole(kScripts + "whole_level.sha256"));
    std::string digest;
    std::string file;
    while (list >> digest >> file) {
        if (file == name + ".trace") {
            return digest;
        }
    }
    return "";
}

// What a trace shows of the level, call by call.
struct Reach {
    int secondWeapon = -1;
    int firstPromptObeyed = -1;
    int secondPromptObeyed = -1;
    int bossDefeated = -1;
    int frameAfterBoss = -1;
    int wrenchCaught = -1;
    int thirdWeapon = -1;
    int banner = -1;
    int sixteen = -1;
    int cleared = -1;
    int endlessFrame = -1;
    int endlessSurvived = -1;
    bool everPausedOrOver = false;
};

Reach readReach(const std::vector<std::string>& lines) {
    Reach r;
    int wrenches = 0;
    const auto note = [](int& at, bool now, int call) {
        if (at < 0 && now) {
            at = call;
        }
    };
    for (int call = 0; call < static_cast<int>(lines.size()); ++call) {
        const std::string_view line = lines[call];
        if (after(line, "state").substr(0, 9) != "\"Playing\"") {
            continue;
        }
        const int frame = intOf(line, "frame");
        const int weapon = intOf(line, "weapon");
        const int prompt = intOf(line, "prompt");
        const bool over = flagOf(line, "over");
        r.everPausedOrOver = r.everPausedOrOver || over || flagOf(line, "paused");
        note(r.secondWeapon, intOf(line, "highest") >= 2, call);
        note(r.firstPromptObeyed, prompt == 1 && weapon == 1 && r.secondWeapon >= 0, call);
        note(r.secondPromptObeyed, prompt == 2 && weapon == 2, call);
        note(r.bossDefeated, flagOf(line, "bossDefeated"), call);
        note(r.frameAfterBoss, r.bossDefeated >= 0 && frame > kBossHoldFrame, call);
        const int wrenchesNow = wrenchesOf(line);
        note(r.wrenchCaught, wrenchesNow < wrenches, call);
        wrenches = wrenchesNow;
        note(r.thirdWeapon, intOf(line, "highest") == 3, call);
        note(r.banner, frame > 8700 && frame < 9000 && !over, call);
        note(r.sixteen, intOf(line, "generation") == 16, call);
        note(r.cleared, intOf(line, "remaining") == 0, call);
        if (r.endlessFrame < 0 && flagOf(line, "endless")) {
            r.endlessFrame = frame;
        }
        note(r.endlessSurvived,
             r.endlessFrame >= 0 && frame >= r.endlessFrame + kEndlessFrames &&
                 intOf(line, "lives") > 0 && !over,
             call);
    }
    return r;
}

class WholeLevel : public testing::TestWithParam<const char*> {};

TEST_P(WholeLevel, TheTraceShowsEveryStepOfTheLevelAndMatchesItsDigest) {
    const std::string name = GetParam();
    const ToolRun run = runReplay({kScripts + name + ".replay"}, testDirectory());
    ASSERT_EQ(run.status, 0) << run.err;
    const Reach r = readReach(linesOf(run.out));

    EXPECT_FALSE(r.everPausedOrOver);
    EXPECT_GE(r.secondWeapon, 0) << "the second weapon was never caught";
    EXPECT_GT(r.firstPromptObeyed, r.secondWeapon) << "weapon 1 was not taken when asked";
    EXPECT_GT(r.secondPromptObeyed, r.firstPromptObeyed) << "weapon 2 was not taken when asked";
    ASSERT_GT(r.bossDefeated, r.secondPromptObeyed) << "the boss was never destroyed";
    EXPECT_GT(r.frameAfterBoss, r.bossDefeated) << "the level did not go on past the boss";
    EXPECT_GE(r.wrenchCaught, 0) << "no wrench was caught";
    EXPECT_GT(r.thirdWeapon, r.bossDefeated) << "the third weapon was never caught";
    EXPECT_GT(r.banner, r.bossDefeated) << "the banner never showed";
    ASSERT_GT(r.sixteen, r.banner) << "the swarm never split to sixteen";
    ASSERT_GT(r.cleared, r.sixteen) << "the swarm was never destroyed";
    EXPECT_GE(r.endlessFrame, 9000);
    EXPECT_GT(r.endlessSurvived, r.cleared) << "the ship did not last 500 frames of endless play";

    const std::string digest = committedDigest(name);
    ASSERT_EQ(digest.size(), 64u) << "no digest committed for " << name;
    EXPECT_EQ(sha256Of(testDirectory() + "/run.out"), digest)
        << "the game plays differently: after a meant change, scripts/renew-whole-level.sh";
}

INSTANTIATE_TEST_SUITE_P(Flown, WholeLevel,
                         testing::Values("whole_level_1", "whole_level_2", "whole_level_3"));

} // namespace
