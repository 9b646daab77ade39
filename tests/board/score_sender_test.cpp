// The game's sender of verified games, against a small HTTP server on 127.0.0.1 that answers as
// a board would.
#include "shell/common/score_sender.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <httplib.h>
#include <mutex>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A board that answers every upload with `status`, and keeps what it was sent.
class FakeBoard {
  public:
    explicit FakeBoard(int status, std::chrono::milliseconds delay = 0ms) {
        server_.Post("/api/games", [this, status, delay](const httplib::Request& request,
                                                         httplib::Response& response) {
            {
                const std::lock_guard lock(mutex_);
                names_.push_back(request.get_param_value("name"));
                bodies_.push_back(request.body);
            }
            std::this_thread::sleep_for(delay);
            response.status = status;
            response.set_content("{}", "application/json");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        // Bound already: a connection waits in the backlog until the server accepts it.
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~FakeBoard() {
        server_.stop();
        thread_.join();
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
    std::vector<std::string> bodies() const {
        const std::lock_guard lock(mutex_);
        return bodies_;
    }
    std::vector<std::string> names() const {
        const std::lock_guard lock(mutex_);
        return names_;
    }

  private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> bodies_;
    std::vector<std::string> names_;
};

class ScoreSending : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("score-sender-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::unique_ptr<ScoreSender> start(const std::string& url) {
        return startScoreSender({url, "Zoë <b>&", folder_.string()});
    }

    // Waits (a few seconds at most) until the sender says `state`.
    static bool reaches(const ScoreSender& sender, SendState state) {
        for (int i = 0; i < 500 && sender.state() != state; ++i) {
            std::this_thread::sleep_for(10ms);
        }
        return sender.state() == state;
    }

    std::size_t filesIn(const fs::path& folder) const {
        std::error_code ignored;
        std::size_t count = 0;
        for (const auto& entry : fs::directory_iterator(folder, ignored)) {
            count += entry.is_regular_file() ? 1 : 0;
        }
        return count;
    }

    fs::path folder_;
};

TEST_F(ScoreSending, SendsAVerifiedGameUnderThePlayersName) {
    const FakeBoard board(201);
    const std::unique_ptr<ScoreSender> sender = start(board.url());
    EXPECT_EQ(sender->state(), SendState::Idle);
    sender->send("epoch 1\nend 10\n");
    ASSERT_TRUE(reaches(*sender, SendState::Sent));
    EXPECT_EQ(board.bodies(), std::vector<std::string>{"epoch 1\nend 10\n"});
    EXPECT_EQ(board.names(), std::vector<std::string>{"Zoë <b>&"});
    EXPECT_EQ(filesIn(folder_), 0u);
}

TEST_F(ScoreSending, AGameTheBoardCannotTakeWaitsInTheFolderForTheNextRun) {
    {
        const FakeBoard away(503);
        const std::unique_ptr<ScoreSender> sender = start(away.url());
        sender->send("epoch 2\nend 10\n");
        for (int i = 0; i < 500 && away.bodies().empty(); ++i) {
            std::this_thread::sleep_for(10ms);
        }
        EXPECT_EQ(sender->state(), SendState::Waiting);
    }
    EXPECT_EQ(filesIn(folder_), 1u);
    // Next time, with the board back, it goes out first thing; one already there counts as sent.
    const FakeBoard back(409);
    const std::unique_ptr<ScoreSender> sender = start(back.url());
    ASSERT_TRUE(reaches(*sender, SendState::Sent));
    EXPECT_EQ(back.bodies(), std::vector<std::string>{"epoch 2\nend 10\n"});
    EXPECT_EQ(filesIn(folder_), 0u);
}

TEST_F(ScoreSending, NoBoardAtAllIsWaitingNeverAnError) {
    const std::unique_ptr<ScoreSender> sender = start("http://127.0.0.1:1");
    sender->send("epoch 3\nend 10\n");
    EXPECT_EQ(sender->state(), SendState::Waiting);
}

TEST_F(ScoreSending, AGameRefusedForGoodIsSetAsideNotSentAgain) {
    const FakeBoard board(400);
    const std::unique_ptr<ScoreSender> sender = start(board.url());
    sender->send("epoch 4\nend 10\n");
    ASSERT_TRUE(reaches(*sender, SendState::Idle));
    EXPECT_EQ(filesIn(folder_), 0u);
    EXPECT_EQ(filesIn(folder_ / "refused"), 1u);
}

TEST_F(ScoreSending, StoppingDoesNotWaitForASlowBoardAndKeepsTheGame) {
    const FakeBoard slow(201, 8s);
    const auto started = std::chrono::steady_clock::now();
    {
        const std::unique_ptr<ScoreSender> sender = start(slow.url());
        sender->send("epoch 5\nend 10\n");
        for (int i = 0; i < 500 && slow.names().empty(); ++i) {
            std::this_thread::sleep_for(10ms);
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 6s);
    EXPECT_EQ(filesIn(folder_), 1u);
}

TEST(ScoreSenderAddress, NamesArePercentEncoded) {
    EXPECT_EQ(uploadAddress("https://board.example.org/", "a b&c=d/é"),
              "https://board.example.org/api/games?name=a%20b%26c%3Dd%2F%C3%A9");
}

} // namespace
