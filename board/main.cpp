// glimmerwake-board: the score board's service. See board/service.h for what it answers and
// docs/board.md for running it.
#include "board/options.h"
#include "board/service.h"
#include "board/store.h"
#include "board/verifier.h"
#include "board/worker.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <thread>

#ifndef GLIMMERWAKE_VERSION
#define GLIMMERWAKE_VERSION "unknown"
#endif

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kWaitingPerVerifier = 4;
// A verification that waits for the CPU on a busy machine still ends in time.
constexpr int kWallClockPerCpuSecond = 3;
// Connections read and answer on these threads; an upload holds one while it is verified, so
// there are enough that reads go on beside a full house of uploads.
constexpr int kThreadsPerVerifier = 8;
constexpr std::size_t kBytesPerMiB = std::size_t{1} << 20;
// Where a process finds its own program, to start its verifiers from.
constexpr const char* kOwnProgram = "/proc/self/exe";

std::unique_ptr<Store> openStore(const BoardOptions& options) {
    return options.databaseUrl.empty() ? openSqliteStore(options.dataFolder)
                                       : openPostgresStore(options.databaseUrl);
}

VerifierLimits verifierLimits(const BoardOptions& options) {
    VerifierLimits limits;
    limits.workerProgram = kOwnProgram;
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    limits.maxRunning = options.verifiers > 0 ? options.verifiers : cores;
    limits.maxWaiting =
        options.waiting > 0 ? options.waiting : kWaitingPerVerifier * limits.maxRunning;
    limits.cpuSeconds = options.workerCpuSeconds;
    limits.wallClock = std::chrono::seconds(kWallClockPerCpuSecond * options.workerCpuSeconds);
    limits.addressSpaceBytes = options.workerMemoryMiB * kBytesPerMiB;
    limits.maxBytes = options.maxBodyBytes;
    limits.maxCalls = options.maxCalls;
    return limits;
}

// SIGTERM (systemd's stop) and SIGINT end the board after the requests under way; a signal
// thread of its own waits for them, so nothing runs in a signal handler.
sigset_t stopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    return signals;
}

int serve(const BoardOptions& options) {
    const sigset_t signals = stopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    std::unique_ptr<Store> store = openStore(options);
    Verifier verifier(verifierLimits(options));
    ServiceSettings settings;
    settings.siteFolder = options.siteFolder;
    settings.maxBodyBytes = options.maxBodyBytes;
    settings.uploadsPerMinute = options.uploadsPerMinute;
    settings.uploadBurst = options.uploadBurst;
    settings.trustForwardedFor = options.trustForwardedFor;
    settings.threads = kThreadsPerVerifier * verifierLimits(options).maxRunning;
    settings.now = [] {
        return std::chrono::duration_cast<std::chrono::seconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    };
    BoardServer server(*store, verifier, settings);
    std::string error;
    if (!server.bind(options.host, options.port, error)) {
        std::fprintf(stderr, "glimmerwake-board: %s\n", error.c_str());
        return kExitFailed;
    }
    std::printf("glimmerwake-board: listening on %s:%d\n", options.host.c_str(), server.port());
    std::fflush(stdout);
    std::thread stopper([&server, signals] {
        int signal = 0;
        sigwait(&signals, &signal);
        server.stop();
    });
    server.run();
    // Stopped otherwise than by a signal (the listening socket failed): the stopper is still
    // waiting for one.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<BoardOptions> options =
        parseBoardOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "glimmerwake-board: %s\n", error.c_str());
        return kExitUsage;
    }
    if (options->help) {
        std::fputs(kBoardUsage, stdout);
        return 0;
    }
    if (options->version) {
        std::printf("glimmerwake-board %s\n", GLIMMERWAKE_VERSION);
        return 0;
    }
    if (options->verifyWorker) {
        return runVerifyWorker({options->maxBodyBytes, options->maxCalls});
    }
    try {
        return serve(*options);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "glimmerwake-board: %s\n", failure.what());
        return kExitFailed;
    }
}
