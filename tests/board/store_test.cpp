// The board's two databases pass the same tests: SQLite always, PostgreSQL when the test run has
// one (scripts/test.sh's board stage starts one; GLIMMERWAKE_TEST_POSTGRES_HOST names its socket
// folder and GLIMMERWAKE_TEST_POSTGRES_USER its user).
#include "board/store.h"

#include <cstdlib>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <pqxx/pqxx>
#include <unistd.h>

namespace {

std::string postgresUrl(const std::string& database) {
    return std::string("postgresql://") + std::getenv("GLIMMERWAKE_TEST_POSTGRES_USER") + "@/" +
           database + "?host=" + std::getenv("GLIMMERWAKE_TEST_POSTGRES_HOST");
}

// A database of the test's own, made anew, so that tests running at once never meet.
std::string freshPostgresDatabase(const std::string& name) {
    pqxx::connection admin(postgresUrl("postgres"));
    pqxx::nontransaction work(admin);
    work.exec("DROP DATABASE IF EXISTS " + name);
    work.exec("CREATE DATABASE " + name);
    return postgresUrl(name);
}

std::string testName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("board_") + info->name() + "_" + std::to_string(getpid());
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(c)) : '_';
    }
    return name;
}

class BoardStore : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        if (GetParam() == "postgres") {
            if (std::getenv("GLIMMERWAKE_TEST_POSTGRES_HOST") == nullptr) {
                GTEST_SKIP() << "no PostgreSQL for this run (scripts/test.sh board starts one)";
            }
            url_ = freshPostgresDatabase(testName());
        } else {
            folder_ = std::filesystem::temp_directory_path() / testName();
            std::filesystem::remove_all(folder_);
        }
    }
    void TearDown() override {
        if (!folder_.empty()) {
            std::filesystem::remove_all(folder_);
        }
    }
    std::unique_ptr<Store> open() const {
        return GetParam() == "postgres" ? openPostgresStore(url_)
                                        : openSqliteStore(folder_.string());
    }

    std::string url_;
    std::filesystem::path folder_;
};

VerifiedGame game(int index, int score, const std::string& day = "") {
    VerifiedGame played;
    played.index = index;
    played.score = score;
    played.frame = score * 10;
    played.bossDestroyed = score > 500;
    played.daily = !day.empty();
    played.day = day;
    return played;
}

// An upload whose recording is told apart by `hash`, and each of its games by that and its index.
Upload upload(const std::string& name, const std::string& hash, std::vector<VerifiedGame> games) {
    std::vector<std::string> gameHashes;
    for (const VerifiedGame& game : games) {
        gameHashes.push_back(hash + "/" + std::to_string(game.index));
    }
    return {name, "epoch 1\nend " + hash + "\n", hash, 1796731200, std::move(games), gameHashes};
}

TEST_P(BoardStore, KeepsEveryGameOfAnUploadAndItsRecording) {
    const std::unique_ptr<Store> store = open();
    const auto stored = store->add(upload("Ada", "1", {game(1, 300), game(2, 700)}));
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->size(), 2u);
    EXPECT_TRUE((*stored)[0].added && (*stored)[1].added);
    EXPECT_EQ(store->recording((*stored)[1].id), "epoch 1\nend 1\n");
    EXPECT_EQ(store->recording((*stored)[1].id + 100), std::nullopt);
    const std::vector<BoardRow> rows = store->best(BoardMode::Free, "", 10);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].id, (*stored)[1].id);
    EXPECT_EQ(rows[0].name, "Ada");
    EXPECT_EQ(rows[0].score, 700);
    EXPECT_EQ(rows[0].frame, 7000);
    EXPECT_TRUE(rows[0].bossDestroyed);
    EXPECT_FALSE(rows[1].bossDestroyed);
    EXPECT_TRUE(store->healthy());
}

TEST_P(BoardStore, TakesARecordingOnce) {
    const std::unique_ptr<Store> store = open();
    ASSERT_TRUE(store->add(upload("Ada", "1", {game(1, 300)})));
    EXPECT_FALSE(store->add(upload("Mallory", "1", {game(1, 300)})));
    const std::vector<BoardRow> rows = store->best(BoardMode::Free, "", 10);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "Ada");
}

TEST_P(BoardStore, TakesAGameOnceThoughItComesAgainInALongerRecording) {
    const std::unique_ptr<Store> store = open();
    const auto first = store->add(upload("Ada", "1", {game(1, 300)}));
    ASSERT_TRUE(first);
    // The session went on: the same first game, and a second one.
    Upload longer = upload("Ada", "2", {game(1, 300), game(2, 800)});
    longer.gameHashes[0] = "1/1";
    const auto second = store->add(longer);
    ASSERT_TRUE(second);
    EXPECT_FALSE((*second)[0].added);
    EXPECT_EQ((*second)[0].id, (*first)[0].id);
    EXPECT_TRUE((*second)[1].added);
    // Nothing new at all: nothing is kept, not even the recording.
    Upload again = upload("Ada", "3", {game(1, 300)});
    again.gameHashes[0] = "1/1";
    EXPECT_FALSE(store->add(again));
    EXPECT_EQ(store->best(BoardMode::Free, "", 10).size(), 2u);
}

TEST_P(BoardStore, RanksByScoreThenByWhoWasFirstAndKeepsBoardsApart) {
    const std::unique_ptr<Store> store = open();
    store->add(upload("first", "1", {game(1, 500)}));
    store->add(upload("second", "2", {game(1, 500)}));
    store->add(upload("best", "3", {game(1, 900)}));
    store->add(upload("daily", "4", {game(1, 950, "2026-12-08"), game(2, 990)}));
    store->add(upload("yesterday", "5", {game(1, 999, "2026-12-07")}));
    std::vector<std::string> names;
    for (const BoardRow& row : store->best(BoardMode::Free, "", 10)) {
        names.push_back(row.name + " " + std::to_string(row.score));
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"daily 990", "best 900", "first 500", "second 500"}));
    const std::vector<BoardRow> daily = store->best(BoardMode::Daily, "2026-12-08", 10);
    ASSERT_EQ(daily.size(), 1u);
    EXPECT_EQ(daily[0].score, 950);
    EXPECT_EQ(daily[0].day, "2026-12-08");
    EXPECT_EQ(store->best(BoardMode::Free, "", 2).size(), 2u);
    EXPECT_TRUE(store->best(BoardMode::Daily, "2026-12-09", 10).empty());
}

TEST_P(BoardStore, NamesAreDataNeverSql) {
    const std::unique_ptr<Store> store = open();
    const std::string name = "Robert'); DROP TABLE games;--";
    ASSERT_TRUE(store->add(upload(name, "1", {game(1, 1)})));
    ASSERT_TRUE(store->add(upload("x", "2'; DELETE FROM recordings; --", {game(1, 2)})));
    const std::vector<BoardRow> rows = store->best(BoardMode::Free, "", 10);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].name, name);
}

TEST_P(BoardStore, MigratesOnceAndReopensWhatItKept) {
    open()->add(upload("Ada", "1", {game(1, 300)}));
    // Two boards starting on one database at once: one migrates, the other finds it done.
    auto other = std::async(std::launch::async, [this] { return open(); });
    const std::unique_ptr<Store> again = open();
    other.get();
    EXPECT_EQ(again->best(BoardMode::Free, "", 10).size(), 1u);
}

TEST_P(BoardStore, ConcurrentUploadsAllLand) {
    const std::unique_ptr<Store> store = open();
    std::vector<std::future<bool>> adds;
    for (int i = 0; i < 16; ++i) {
        adds.push_back(std::async(std::launch::async, [&store, i] {
            return store->add(upload("p" + std::to_string(i), std::to_string(i), {game(1, i)}))
                .has_value();
        }));
    }
    for (std::future<bool>& added : adds) {
        EXPECT_TRUE(added.get());
    }
    EXPECT_EQ(store->best(BoardMode::Free, "", 100).size(), 16u);
}

INSTANTIATE_TEST_SUITE_P(Databases, BoardStore, ::testing::Values("sqlite", "postgres"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

} // namespace
