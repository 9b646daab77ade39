#include "shell/common/data_files.h"
#include "shell/common/score_listing.h"
#include "shell/common/score_store.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A data folder of the test's own, empty.
std::string freshFolder(const std::string& name) {
    const char* const root = std::getenv("GLIMMERWAKE_TEST_TMP");
    const fs::path folder = fs::path(root != nullptr ? root : "/tmp") / "score_store" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string() + "/";
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

ScoreEntry entry(int score, const std::string& recording, int game = 1) {
    ScoreEntry e;
    e.score = score;
    e.when = 1796688000 + score;
    e.frame = score;
    e.recording = recording;
    e.game = game;
    return e;
}

// What a capture of standard error saw while `run` ran.
template <typename Run> std::string stderrOf(Run run) {
    testing::internal::CaptureStderr();
    run();
    return testing::internal::GetCapturedStderr();
}

TEST(ScoreStore, KeepsTheRecordingAndThenTheTable) {
    const std::string folder = freshFolder("keep");
    ScoreStore store(folder);
    EXPECT_TRUE(store.load().freePlay.empty());
    const ScoreStore::Kept kept = store.keep("", entry(500, "run-a-1.replay"), "epoch 5\nend 3\n");
    EXPECT_EQ(kept.rank, 1);
    EXPECT_TRUE(kept.written);
    EXPECT_EQ(kept.recordingPath, folder + "recordings/run-a-1.replay");
    EXPECT_EQ(readFile(kept.recordingPath), "epoch 5\nend 3\n");
    EXPECT_EQ(store.load().freePlay.at(0).score, 500);
    // Below the table's ten: nothing written.
    for (int i = 2; i <= 10; ++i) {
        store.keep("", entry(500 + i, "run-a-" + std::to_string(i) + ".replay"), "end 1\n");
    }
    const ScoreStore::Kept low = store.keep("", entry(1, "run-low.replay"), "end 1\n");
    EXPECT_EQ(low.rank, 0);
    EXPECT_FALSE(fileExists(folder + "recordings/run-low.replay"));
    const ScoreStore::Kept daily = store.keep("2026-12-08", entry(1, "daily.replay"), "end 1\n");
    EXPECT_EQ(daily.rank, 1);
    EXPECT_EQ(daily.tableLength, 1u);
    // Nothing half-written is left beside the files.
    for (const auto& file : fs::recursive_directory_iterator(folder)) {
        EXPECT_EQ(file.path().string().find(".new-"), std::string::npos) << file.path();
    }
}

TEST(ScoreStore, ACorruptOrNewerTableIsSetAsideSaidOnceAndAFreshOneStarted) {
    const struct {
        const char* name;
        std::string text;
        const char* said;
    } cases[] = {
        {"corrupt", "glimmerwake-scores 1\ntable free\nentry garbage\n", "line 3"},
        {"newer", "glimmerwake-scores 7\nanything\n", "newer version"},
        {"binary", std::string("\0\x01\x02", 3), "cannot be used"},
    };
    for (const auto& c : cases) {
        const std::string folder = freshFolder(c.name);
        writeFile(folder + "scores", c.text);
        ScoreStore store(folder);
        const std::string said = stderrOf([&] { EXPECT_TRUE(store.load().freePlay.empty()); });
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        EXPECT_NE(said.find("scores.set-aside-1"), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_EQ(readFile(folder + "scores.set-aside-1"), c.text) << c.name;
        EXPECT_EQ(readFile(folder + "scores"), "glimmerwake-scores 1\n");
        // Said once: the fresh table reads without a word.
        EXPECT_EQ(stderrOf([&] { store.keep("", entry(9, "r.replay"), "end 1\n"); }), "");
        EXPECT_EQ(stderrOf([&] { store.load(); }), "");
        // A second bad table never takes the first one's place.
        writeFile(folder + "scores", "bad again\n");
        stderrOf([&] { store.load(); });
        EXPECT_EQ(readFile(folder + "scores.set-aside-1"), c.text) << c.name;
        EXPECT_EQ(readFile(folder + "scores.set-aside-2"), "bad again\n") << c.name;
    }
}

TEST(ScoreStore, AnUnwritableFolderIsSaidOnceAndNothingElseHappens) {
    const std::string parent = freshFolder("unwritable");
    // A file where the folder should be: nothing can be made below it, even as root.
    writeFile(parent + "blocked", "");
    ScoreStore store(parent + "blocked/glimmerwake/");
    const std::string said = stderrOf([&] {
        EXPECT_FALSE(store.keep("", entry(5, "a.replay"), "end 1\n").written);
        EXPECT_FALSE(store.keep("", entry(6, "b.replay"), "end 1\n").written);
    });
    EXPECT_NE(said.find("cannot keep the high scores"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

TEST(ScoreStore, TwoGamesEndingAtOnceBothKeepTheirEntries) {
    const std::string folder = freshFolder("together");
    constexpr int kGamesEach = 40;
    // Two stores on one folder, as two running games have: each reads, adds and writes back.
    auto play = [&](const std::string& name) {
        ScoreStore store(folder);
        for (int i = 1; i <= kGamesEach; ++i) {
            store.keep("2026-12-08", entry(i, name + "-" + std::to_string(i) + ".replay"),
                       "end 1\n");
        }
    };
    std::thread first(play, "first");
    std::thread second(play, "second");
    first.join();
    second.join();
    // The best ten of both: the top five scores, each made by both games.
    const std::vector<ScoreEntry> table = ScoreStore(folder).load().daily.at("2026-12-08");
    ASSERT_EQ(table.size(), kTableSize);
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].score, kGamesEach - static_cast<int>(i) / 2);
    }
}

TEST(ScoreStore, KilledWhileWritingAtAnyMomentLeavesAWholeTable) {
    const std::string folder = freshFolder("killed");
    std::mt19937 random(23);
    int entries = 0;
    for (int round = 0; round < 60; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Writes entries as fast as it can, each better than the last, until killed.
            ScoreStore store(folder);
            for (int i = 1;; ++i) {
                store.keep("",
                           entry(round * 100000 + i, "k" + std::to_string(round) + ".replay", i),
                           std::string(20000, '#') + "\nend 1\n");
            }
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(200, 20000)(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        std::string text;
        std::string error;
        if (readDataFile(folder + "scores", kMaxTableBytes, text, error) == FileRead::Missing) {
            continue;
        }
        ScoreTables tables;
        ASSERT_EQ(readTables(text, tables, error), TableRead::Read)
            << "kill " << round << ": " << error;
        // Every recording the table names was on the disk before it.
        for (const ScoreEntry& e : tables.freePlay) {
            EXPECT_TRUE(fileExists(folder + "recordings/" + e.recording)) << e.recording;
        }
        entries = static_cast<int>(tables.freePlay.size());
    }
    EXPECT_GT(entries, 0);
}

TEST(ScoreListing, SaysEveryEntryAndWhichRecordingsAreGone) {
    const std::string folder = freshFolder("listing");
    ScoreStore store(folder);
    EXPECT_NE(scoresListing(store).find("No high scores yet."), std::string::npos);
    ScoreEntry best = entry(4321, "kept.replay", 2);
    best.bossDestroyed = true;
    best.swarmDestroyed = true;
    store.keep("", best, "end 1\n");
    store.keep("", entry(12, "gone.replay"), "end 1\n");
    store.keep("2026-12-08", entry(77, "daily.replay"), "end 1\n");
    fs::remove(folder + "recordings/gone.replay");
    const std::string listing = scoresListing(store);
    EXPECT_NE(listing.find("   1.       4321  2026-12-08 01:12:01  frame 4321    boss, swarm"),
              std::string::npos)
        << listing;
    EXPECT_NE(listing.find(folder + "recordings/kept.replay (game 2)"), std::string::npos);
    EXPECT_NE(listing.find("unverifiable: its recording " + folder + "recordings/gone.replay"),
              std::string::npos)
        << listing;
    EXPECT_NE(listing.find("Daily run 2026-12-08\n   1."), std::string::npos) << listing;
}

} // namespace
