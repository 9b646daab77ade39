// The keeper hands the score board only what it proved: a game whose recording replays to its
// score is sent, a claim the recording does not make is not.
#include "replay/verify.h"
#include "shell/common/score_keeper.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class RecordingSender : public ScoreSender {
  public:
    void send(std::string recording) override {
        const std::lock_guard<std::mutex> lock(mutex_);
        sent_.push_back(std::move(recording));
    }
    SendState state() const override { return SendState::Idle; }
    std::vector<std::string> sent() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return sent_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> sent_;
};

std::string freshFolder() {
    const char* const root = std::getenv("GLIMMERWAKE_TEST_TMP");
    const fs::path folder = fs::path(root != nullptr ? root : "/tmp") / "score_keeper_sending";
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string() + "/";
}

std::string completeGame() {
    std::ifstream file(std::string(GLIMMERWAKE_SOURCE_DIR) + "/tests/tools/complete_game.replay");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(ScoreKeeperSending, SendsWhatItProvedAndNothingElse) {
    const std::string recording = completeGame();
    Verification verification;
    std::string error;
    ASSERT_TRUE(verifyRecording(recording, VerifyLimits{}, verification, error)) << error;
    const VerifiedGame game = verification.games.at(0);
    ASSERT_GT(game.score, 0);
    VerifiedGame forged = game;
    forged.score += 100;

    RecordingSender sender;
    {
        ScoreKeeper keeper(freshFolder(), &sender);
        keeper.gameEnded(forged, "", 1781000000, recording, "forged.replay");
        keeper.waitUntilDone();
        EXPECT_TRUE(sender.sent().empty());
        keeper.gameEnded(game, "", 1781000000, recording, "proved.replay");
        keeper.waitUntilDone();
    }
    EXPECT_EQ(sender.sent(), std::vector<std::string>{recording});
}

} // namespace
