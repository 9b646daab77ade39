// The board's guards around verification: the recording as it is kept, the worker's answers, the
// child processes and their limits, and the rate of uploads.
#include "board/rate_limit.h"
#include "board/recording.h"
#include "board/verifier.h"
#include "board/worker.h"

#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

const WorkerLimits kLimits{std::size_t{1} << 20, 360000};

std::string wholeLevel() {
    std::ifstream file(std::string(GLIMMERWAKE_SOURCE_DIR) + "/tests/tools/whole_level_1.replay");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

ReplayScript parsed(const std::string& text) {
    std::istringstream in(text);
    ScriptError error;
    std::optional<ReplayScript> script = parseScript(in, error);
    EXPECT_TRUE(script) << error.message;
    return script.value_or(ReplayScript{});
}

VerifierLimits childLimits() {
    VerifierLimits limits;
    limits.workerProgram = GLIMMERWAKE_BOARD;
    limits.maxBytes = kLimits.maxBytes;
    limits.maxCalls = kLimits.maxCalls;
    return limits;
}

TEST(BoardRecording, KeepsOnlyWhatPlaysAndTellsTheSameGameByItsHash) {
    const std::string written = "# a comment\nepoch 1781000000\n\n2 down RETURN  # play\n"
                                "3 up RETURN\n3 clock 1781000001\n3 down SPACE\nend 50\n";
    const std::string kept = canonicalRecording(parsed(written));
    EXPECT_EQ(kept, "epoch 1781000000\n2 down RETURN\n3 up RETURN\n3 down SPACE\n"
                    "3 clock 1781000001\nend 50\n");
    EXPECT_EQ(canonicalRecording(parsed(kept)), kept);
    // A session still going on has no end yet: it is kept as far as it goes.
    std::istringstream going("epoch 5\n2 down RETURN\n40 up RETURN\n");
    ScriptError error;
    EXPECT_EQ(canonicalRecording(*parseScript(going, error, ScriptOptions{true})),
              "epoch 5\n2 down RETURN\n40 up RETURN\nend 41\n");
    EXPECT_EQ(recordingHash(kept), recordingHash(canonicalRecording(parsed(written))));
    EXPECT_NE(recordingHash(kept), recordingHash(canonicalRecording(parsed(kept + "\n"))) + "x");
    // A game is the recording up to its last call, whatever came after it.
    const ReplayScript script = parsed(written);
    EXPECT_EQ(gameHash(script, 2), gameHash(parsed("epoch 1781000000\n2 down RETURN\nend 3\n"), 2));
    EXPECT_NE(gameHash(script, 2), gameHash(script, 3));
    EXPECT_EQ(recordingHash("abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(BoardWorker, RefusesWhatIsNoRecordingOrAsksMoreThanTheLimits) {
    const auto statusOf = [](const std::string& text, const WorkerLimits& limits) {
        const nlohmann::json answer = nlohmann::json::parse(verifyAnswer(text, limits));
        return answer.value("status", 0);
    };
    EXPECT_EQ(statusOf("epoch 1\nshot 1 /etc/passwd\nend 5\n", kLimits), 400);
    EXPECT_EQ(statusOf("2 down RETURN\n1 up RETURN\n", kLimits), 400); // calls out of order
    EXPECT_EQ(statusOf(std::string(5000, 'x'), kLimits), 400);
    EXPECT_EQ(statusOf(std::string("\0\xff\x01\n", 4), kLimits), 400);
    EXPECT_EQ(statusOf("end 360001\n", kLimits), 413);
    EXPECT_EQ(statusOf(std::string(kLimits.maxBytes + 1, '#'), kLimits), 413);
    EXPECT_EQ(statusOf("end 360000\n", {kLimits.maxBytes, 360000}), 0);
    // Play, then restart with F2 from the pause overlay, over and over: a flood of games.
    std::string restarts = "epoch 1781000000\n2 down RETURN\n3 up RETURN\n";
    for (int call = 10; call < 20000; call += 40) {
        restarts += std::to_string(call) + " down ESCAPE\n" + std::to_string(call + 2) +
                    " up ESCAPE\n" + std::to_string(call + 4) + " down F2\n" +
                    std::to_string(call + 6) + " up F2\n";
    }
    EXPECT_EQ(statusOf(restarts + "end 20000\n", kLimits), 422);
}

TEST(BoardVerifier, ReadsOnlyAWellFormedWorkerAnswer) {
    EXPECT_EQ(readWorkerAnswer("").kind, VerifyOutcome::Kind::Failed);
    EXPECT_EQ(readWorkerAnswer("[1]").kind, VerifyOutcome::Kind::Failed);
    EXPECT_EQ(readWorkerAnswer(R"({"recording":"end 1\n","games":[{"score":"lots"}]})").kind,
              VerifyOutcome::Kind::Failed);
    const VerifyOutcome refused = readWorkerAnswer(R"({"refused":"no","status":400})");
    EXPECT_EQ(refused.kind, VerifyOutcome::Kind::Refused);
    EXPECT_EQ(refused.status, 400);
}

TEST(BoardVerifier, VerifiesInAChildProcessAndAnswersTheTextItVerified) {
    Verifier verifier(childLimits());
    const VerifyOutcome outcome = verifier.verify(wholeLevel());
    ASSERT_EQ(outcome.kind, VerifyOutcome::Kind::Verified) << outcome.message;
    ASSERT_EQ(outcome.games.size(), 1u);
    EXPECT_GT(outcome.games[0].score, 0);
    EXPECT_EQ(outcome.recording, canonicalRecording(parsed(wholeLevel())));
    EXPECT_EQ(outcome.gameHashes,
              std::vector<std::string>{gameHash(parsed(wholeLevel()), outcome.games[0].lastCall)});
    EXPECT_EQ(verifier.verify("end x\n").status, 400);
}

TEST(BoardVerifier, ARecordingThatOverrunsItsLimitsKillsOnlyItsOwnProcess) {
    VerifierLimits limits = childLimits();
    // The whole level takes about 12 ms of CPU to verify, and starting its process more.
    limits.wallClock = std::chrono::milliseconds(1);
    const VerifyOutcome late = Verifier(limits).verify(wholeLevel());
    EXPECT_EQ(late.kind, VerifyOutcome::Kind::Refused);
    EXPECT_EQ(late.status, 422) << late.message;
    // Memory: the worker cannot even start within 16 MiB of address space.
    limits = childLimits();
    limits.addressSpaceBytes = std::size_t{16} << 20;
    EXPECT_NE(Verifier(limits).verify(wholeLevel()).kind, VerifyOutcome::Kind::Verified);
    // And the board goes on verifying.
    EXPECT_EQ(Verifier(childLimits()).verify(wholeLevel()).kind, VerifyOutcome::Kind::Verified);
}

TEST(BoardVerifier, TurnsAwayUploadsBeyondTheRunningAndWaitingOnes) {
    VerifierLimits limits = childLimits();
    limits.maxRunning = 1;
    limits.maxWaiting = 1;
    Verifier verifier(limits);
    // Three slow verifications at once: one runs, one waits, one is turned away.
    std::vector<std::future<VerifyOutcome>> outcomes;
    for (int i = 0; i < 3; ++i) {
        outcomes.push_back(
            std::async(std::launch::async, [&] { return verifier.verify(wholeLevel()); }));
    }
    int busy = 0;
    int verified = 0;
    for (std::future<VerifyOutcome>& outcome : outcomes) {
        const VerifyOutcome::Kind kind = outcome.get().kind;
        busy += kind == VerifyOutcome::Kind::Busy ? 1 : 0;
        verified += kind == VerifyOutcome::Kind::Verified ? 1 : 0;
    }
    EXPECT_EQ(busy, 1);
    EXPECT_EQ(verified, 2);
    EXPECT_EQ(verifier.running(), 0);
}

TEST(BoardRateLimit, AnAddressGetsItsBurstThenItsRate) {
    RateLimit limit(6, 2, 100);
    const RateLimit::Clock::time_point start{};
    int retryAfter = 0;
    EXPECT_TRUE(limit.allow("a", start, retryAfter));
    EXPECT_TRUE(limit.allow("a", start, retryAfter));
    EXPECT_FALSE(limit.allow("a", start, retryAfter));
    EXPECT_EQ(retryAfter, 10);
    EXPECT_TRUE(limit.allow("b", start, retryAfter)); // another address has its own
    EXPECT_FALSE(limit.allow("a", start + std::chrono::seconds(9), retryAfter));
    EXPECT_TRUE(limit.allow("a", start + std::chrono::seconds(10), retryAfter));
}

TEST(BoardRateLimit, TheTableOfAddressesStaysBounded) {
    RateLimit limit(60, 1, 2);
    const RateLimit::Clock::time_point start{};
    int retryAfter = 0;
    EXPECT_TRUE(limit.allow("a", start, retryAfter));
    EXPECT_TRUE(limit.allow("b", start, retryAfter));
    // Full of busy addresses: a newcomer waits rather than the table growing.
    EXPECT_FALSE(limit.allow("c", start, retryAfter));
    // Once a bucket has refilled, its address is forgotten and makes room.
    EXPECT_TRUE(limit.allow("c", start + std::chrono::seconds(1), retryAfter));
    EXPECT_TRUE(RateLimit(0, 1, 0).allow("d", start, retryAfter)); // no limit at all
}

} // namespace
