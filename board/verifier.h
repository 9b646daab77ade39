#pragma once

#include "replay/verify.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

// Verifies uploads in child processes, a fresh one for each (the board's own program, started
// with --verify-worker), so that a recording crafted to exhaust the CPU or the memory takes down
// only its own process. Each child runs under limits on its CPU seconds and address space, and
// is killed past a wall-clock deadline. At most `maxRunning` run at once; up to `maxWaiting`
// more wait for a turn, and beyond that an upload is turned away at once.

struct VerifierLimits {
    std::string workerProgram; // the board's own program
    int maxRunning = 2;
    int maxWaiting = 8;
    std::chrono::seconds maxWait{30};
    std::chrono::milliseconds wallClock{30000};
    int cpuSeconds = 10;
    std::size_t addressSpaceBytes = std::size_t{1} << 30; // 0: no limit
    std::size_t maxBytes = 0;
    int maxCalls = 0;
};

struct VerifyOutcome {
    enum class Kind {
        Verified, // `recording` and `games` hold the result
        Refused,  // the recording is not acceptable: `status` and `message` say why
        Busy,     // no turn to verify came in time: try again later
        Failed,   // the board could not run a verification at all
    };
    Kind kind = Kind::Failed;
    int status = 0;
    std::string message;
    std::string recording;
    std::vector<VerifiedGame> games;
    std::vector<std::string> gameHashes; // one a game
};

// The process must ignore SIGPIPE (the board does): a worker that stops reading early, having
// answered, must not take the board down with it.
class Verifier {
  public:
    explicit Verifier(VerifierLimits limits) : limits_(std::move(limits)) {}

    VerifyOutcome verify(const std::string& body);

    // How many verifications run and wait right now.
    int running() const;
    int waiting() const;

  private:
    bool enter();
    void leave();
    VerifyOutcome runWorker(const std::string& body) const;

    const VerifierLimits limits_;
    mutable std::mutex mutex_;
    std::condition_variable turn_;
    int running_ = 0;
    int waiting_ = 0;
};

// Reads a worker's answer (board/worker.h) into an outcome.
VerifyOutcome readWorkerAnswer(const std::string& answer);
