#include "board/verifier.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <nlohmann/json.hpp>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kUnprocessable = 422;
// An answer is a few hundred bytes a game and the recording once more; more than this is no
// answer of a worker.
constexpr std::size_t kMaxAnswerBytes = std::size_t{8} << 20;
// A verifying child needs its standard streams and nothing else.
constexpr rlim_t kWorkerFiles = 16;
constexpr int kChildCannotStart = 127;

struct Pipe {
    int read = -1;
    int write = -1;
};

void closeFd(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

// In the child, between fork and exec: only calls that are safe there (no allocation, no locks).
[[noreturn]] void becomeWorker(const Pipe& input, const Pipe& output, const VerifierLimits& limits,
                               char* const argv[]) {
    dup2(input.read, STDIN_FILENO);
    dup2(output.write, STDOUT_FILENO);
    // The board's sockets and database files stay with the board.
    close_range(STDERR_FILENO + 1, ~0U, 0);
    // The board blocks its stop signals for its own signal thread and ignores SIGPIPE; a worker
    // is an ordinary process again.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    const rlimit cpu{static_cast<rlim_t>(limits.cpuSeconds),
                     static_cast<rlim_t>(limits.cpuSeconds)};
    setrlimit(RLIMIT_CPU, &cpu);
    if (limits.addressSpaceBytes > 0) {
        const rlimit memory{limits.addressSpaceBytes, limits.addressSpaceBytes};
        setrlimit(RLIMIT_AS, &memory);
    }
    const rlimit noFiles{0, 0};
    setrlimit(RLIMIT_FSIZE, &noFiles);
    const rlimit files{kWorkerFiles, kWorkerFiles};
    setrlimit(RLIMIT_NOFILE, &files);
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    // A worker whose board is gone has nobody to answer.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    execv(limits.workerProgram.c_str(), argv);
    _exit(kChildCannotStart);
}

// Writes `body` to the child and reads its answer until it closes its output, both at once so
// that neither side waits on a full pipe, until the deadline. False when the deadline passed.
bool exchange(int toChild, int fromChild, const std::string& body, std::string& answer,
              std::chrono::steady_clock::time_point deadline) {
    fcntl(toChild, F_SETFL, O_NONBLOCK);
    std::size_t written = 0;
    bool writing = true;
    char buffer[65536];
    for (;;) {
        if (writing && written == body.size()) {
            close(toChild);
            writing = false;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            if (writing) {
                close(toChild);
            }
            return false;
        }
        pollfd fds[2] = {{fromChild, POLLIN, 0}, {writing ? toChild : -1, POLLOUT, 0}};
        if (poll(fds, 2, static_cast<int>(left.count())) < 0 && errno != EINTR) {
            break;
        }
        if (writing && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
            const ssize_t sent = write(toChild, body.data() + written, body.size() - written);
            if (sent > 0) {
                written += static_cast<std::size_t>(sent);
            } else if (sent < 0 && errno != EAGAIN && errno != EINTR) {
                // The child stopped reading (it has answered, or died): it has what it takes.
                close(toChild);
                writing = false;
            }
        }
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            const ssize_t got = read(fromChild, buffer, sizeof buffer);
            if (got < 0 && (errno == EINTR || errno == EAGAIN)) {
                continue;
            }
            // The end of the answer, or an answer too long to be one (it is then not JSON).
            if (got <= 0 || answer.size() + static_cast<std::size_t>(got) > kMaxAnswerBytes) {
                break;
            }
            answer.append(buffer, static_cast<std::size_t>(got));
        }
    }
    if (writing) {
        close(toChild);
    }
    return true;
}

VerifyOutcome refused(int status, std::string message) {
    VerifyOutcome outcome;
    outcome.kind = VerifyOutcome::Kind::Refused;
    outcome.status = status;
    outcome.message = std::move(message);
    return outcome;
}

VerifyOutcome failed(std::string message) {
    VerifyOutcome outcome;
    outcome.kind = VerifyOutcome::Kind::Failed;
    outcome.message = std::move(message);
    return outcome;
}

// What a worker that ended without a proper answer tells about the recording it was given.
VerifyOutcome deathOf(int status, bool timedOut, const VerifierLimits& limits) {
    if (timedOut) {
        return refused(kUnprocessable, "verifying the recording took longer than " +
                                           std::to_string(limits.wallClock.count()) + " ms");
    }
    if (WIFSIGNALED(status) && (WTERMSIG(status) == SIGXCPU || WTERMSIG(status) == SIGKILL)) {
        return refused(kUnprocessable, "verifying the recording took more than " +
                                           std::to_string(limits.cpuSeconds) + " s of CPU");
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == kChildCannotStart) {
        return failed("the verifier could not be started");
    }
    // Out of memory (an allocation refused under the address-space limit ends in an abort) or
    // any other fault: the recording made it so.
    return refused(kUnprocessable, "the recording could not be verified within the board's limits");
}

} // namespace

bool Verifier::enter() {
    std::unique_lock lock(mutex_);
    if (running_ < limits_.maxRunning) {
        ++running_;
        return true;
    }
    if (waiting_ >= limits_.maxWaiting) {
        return false;
    }
    ++waiting_;
    const bool gotTurn =
        turn_.wait_for(lock, limits_.maxWait, [this] { return running_ < limits_.maxRunning; });
    --waiting_;
    if (gotTurn) {
        ++running_;
    }
    return gotTurn;
}

void Verifier::leave() {
    {
        const std::lock_guard lock(mutex_);
        --running_;
    }
    turn_.notify_one();
}

int Verifier::running() const {
    const std::lock_guard lock(mutex_);
    return running_;
}

int Verifier::waiting() const {
    const std::lock_guard lock(mutex_);
    return waiting_;
}

VerifyOutcome Verifier::verify(const std::string& body) {
    if (!enter()) {
        VerifyOutcome busy;
        busy.kind = VerifyOutcome::Kind::Busy;
        busy.message = "the board is verifying as many games as it can: send again later";
        return busy;
    }
    VerifyOutcome outcome = runWorker(body);
    leave();
    return outcome;
}

VerifyOutcome Verifier::runWorker(const std::string& body) const {
    // Everything the child needs is made before the fork: after it, the child may not allocate.
    const std::string maxBytes = std::to_string(limits_.maxBytes);
    const std::string maxCalls = std::to_string(limits_.maxCalls);
    std::vector<std::string> words = {
        limits_.workerProgram, "--verify-worker", "--max-body", maxBytes, "--max-calls", maxCalls};
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    int input[2];
    int output[2];
    if (pipe2(input, O_CLOEXEC) != 0) {
        return failed(std::string("no pipe for the verifier: ") + std::strerror(errno));
    }
    if (pipe2(output, O_CLOEXEC) != 0) {
        close(input[0]);
        close(input[1]);
        return failed(std::string("no pipe for the verifier: ") + std::strerror(errno));
    }
    Pipe toChild{input[0], input[1]};
    Pipe fromChild{output[0], output[1]};
    const pid_t child = fork();
    if (child == 0) {
        becomeWorker(toChild, fromChild, limits_, argv.data());
    }
    closeFd(toChild.read);
    closeFd(fromChild.write);
    if (child < 0) {
        closeFd(toChild.write);
        closeFd(fromChild.read);
        return failed(std::string("cannot start a verifier: ") + std::strerror(errno));
    }
    std::string answer;
    const bool inTime = exchange(toChild.write, fromChild.read, body, answer,
                                 std::chrono::steady_clock::now() + limits_.wallClock);
    closeFd(fromChild.read);
    if (!inTime) {
        kill(child, SIGKILL);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (inTime && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return readWorkerAnswer(answer);
    }
    return deathOf(status, !inTime, limits_);
}

VerifyOutcome readWorkerAnswer(const std::string& answer) {
    const nlohmann::json json = nlohmann::json::parse(answer, nullptr, false);
    if (!json.is_object()) {
        return failed("the verifier answered no JSON object");
    }
    try {
        if (json.contains("refused")) {
            return refused(json.at("status").get<int>(), json.at("refused").get<std::string>());
        }
        VerifyOutcome outcome;
        outcome.kind = VerifyOutcome::Kind::Verified;
        outcome.recording = json.at("recording").get<std::string>();
        for (const nlohmann::json& fields : json.at("games")) {
            VerifiedGame game;
            game.index = fields.at("index").get<int>();
            game.firstCall = fields.at("firstCall").get<int>();
            game.lastCall = fields.at("lastCall").get<int>();
            game.score = fields.at("score").get<int>();
            game.frame = fields.at("frame").get<int>();
            game.bossDestroyed = fields.at("bossDestroyed").get<bool>();
            game.swarmDestroyed = fields.at("swarmDestroyed").get<bool>();
            game.endlessReached = fields.at("endlessReached").get<bool>();
            game.daily = fields.at("daily").get<bool>();
            game.day = fields.at("day").get<std::string>();
            outcome.games.push_back(game);
            outcome.gameHashes.push_back(fields.at("hash").get<std::string>());
        }
        return outcome;
    } catch (const nlohmann::json::exception& error) {
        return failed(std::string("the verifier's answer is not understood: ") + error.what());
    }
}
