// glimmerwake-soak: long games of pseudo-random keys through glimmerwake-replay.
//   glimmerwake-soak script SEED CALLS
//       writes the key script to standard output (to run it by hand, or under valgrind)
//   glimmerwake-soak run REPLAY SEED CALLS [--memory-at CALL]... [--max-growth-kib KIB]
//       plays it through the replay tool at REPLAY and reads the whole trace: the replay must
//       run every call and end with status 0, the game must never quit, and every line must be
//       the one of the game the script was made on here. After each CALL of
//       --memory-at it reads the replay's resident memory from /proc; with --max-growth-kib the
//       resident size may grow by at most KIB from the first of those calls to the last.
#include "tests/hardening/soak_script.h"
#include "tests/hardening/trace_tally.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kExitSound = 0;
constexpr int kExitFault = 1;
constexpr int kExitUsage = 2;

// The replay writes ahead of the reader by at most what the pipe holds, about a hundred calls
// of trace; a call this far from the end is read while the replay still runs.
constexpr int kMemoryMargin = 1000;

const char kUsage[] = "usage: glimmerwake-soak script SEED CALLS\n"
                      "       glimmerwake-soak run REPLAY SEED CALLS [--memory-at CALL]... "
                      "[--max-growth-kib KIB]\n"
                      "Each CALL of --memory-at is at least 1000 below CALLS and above the one "
                      "before.\n";

struct Options {
    std::string replay;
    std::uint32_t seed = 0;
    int calls = 0;
    std::vector<int> memoryAt;
    std::optional<long> maxGrowthKib;
};

std::optional<long> parseNumber(const char* text) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<Options> parseRun(int argc, char** argv) {
    if (argc < 5) {
        return std::nullopt;
    }
    Options options;
    options.replay = argv[2];
    const std::optional<long> seed = parseNumber(argv[3]);
    const std::optional<long> calls = parseNumber(argv[4]);
    if (!seed || !calls || *calls < 1 || *calls > 100000000) {
        return std::nullopt;
    }
    options.seed = static_cast<std::uint32_t>(*seed);
    options.calls = static_cast<int>(*calls);
    for (int i = 5; i < argc; i += 2) {
        const std::optional<long> value = i + 1 < argc ? parseNumber(argv[i + 1]) : std::nullopt;
        if (!value) {
            return std::nullopt;
        }
        const bool rising = options.memoryAt.empty() || *value > options.memoryAt.back();
        if (std::strcmp(argv[i], "--memory-at") == 0 && rising &&
            *value + kMemoryMargin <= *calls) {
            options.memoryAt.push_back(static_cast<int>(*value));
        } else if (std::strcmp(argv[i], "--max-growth-kib") == 0) {
            options.maxGrowthKib = *value;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

struct Memory {
    long rssKib = -1;
    long peakKib = -1;
};

Memory readMemory(pid_t pid) {
    Memory memory;
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string name;
    while (status >> name) {
        if (name == "VmRSS:") {
            status >> memory.rssKib;
        } else if (name == "VmHWM:") {
            status >> memory.peakKib;
        }
        status.ignore(1 << 20, '\n');
    }
    return memory;
}

// The replay, reading the script on its standard input and writing the trace into a pipe.
struct Replay {
    pid_t pid = -1;
    std::FILE* trace = nullptr;
};

std::optional<Replay> startReplay(const std::string& path, const std::string& script) {
    int scriptPipe[2];
    int tracePipe[2];
    if (pipe(scriptPipe) != 0 || pipe(tracePipe) != 0) {
        return std::nullopt;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        return std::nullopt;
    }
    if (pid == 0) {
        dup2(scriptPipe[0], STDIN_FILENO);
        dup2(tracePipe[1], STDOUT_FILENO);
        close(scriptPipe[0]);
        close(scriptPipe[1]);
        close(tracePipe[0]);
        close(tracePipe[1]);
        execl(path.c_str(), path.c_str(), "-", static_cast<char*>(nullptr));
        std::fprintf(stderr, "glimmerwake-soak: cannot run %s: %s\n", path.c_str(),
                     std::strerror(errno));
        _exit(127);
    }
    close(scriptPipe[0]);
    close(tracePipe[1]);
    // The replay reads the whole script before it writes the first line of trace, so writing
    // all of it first cannot deadlock.
    std::size_t written = 0;
    while (written < script.size()) {
        const ssize_t n = write(scriptPipe[1], script.data() + written, script.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    close(scriptPipe[1]);
    return Replay{pid, fdopen(tracePipe[0], "r")};
}

std::string describeStatus(int status) {
    if (WIFEXITED(status)) {
        return "status " + std::to_string(WEXITSTATUS(status));
    }
    if (WIFSIGNALED(status)) {
        return std::string("signal ") + strsignal(WTERMSIG(status));
    }
    return "an unknown end";
}

void printLengths(const char* what, const ListLengths& lengths) {
    std::printf("%s %d enemies, %d splitters, %d shots, %d explosions, %d power-ups\n", what,
                lengths.enemies, lengths.splitters, lengths.shots, lengths.explosions,
                lengths.powerups);
}

int run(const Options& options) {
    std::ostringstream script;
    const std::vector<std::uint64_t> expected =
        writeSoakScript(script, options.seed, options.calls);
    // A write to a replay that died would otherwise end this program before it can say so.
    signal(SIGPIPE, SIG_IGN);
    const std::optional<Replay> replay = startReplay(options.replay, script.str());
    if (!replay || replay->trace == nullptr) {
        std::fprintf(stderr, "glimmerwake-soak: cannot start %s\n", options.replay.c_str());
        return kExitFault;
    }

    TraceTally tally;
    std::vector<Memory> memory;
    std::string error;
    std::string line;
    char buffer[1 << 16];
    bool sound = true;
    while (std::fgets(buffer, sizeof buffer, replay->trace) != nullptr) {
        line += buffer;
        if (line.back() != '\n') {
            continue;
        }
        line.pop_back();
        if (sound && !tally.read(line, error)) {
            std::fprintf(stderr, "glimmerwake-soak: trace line %d: %s\n", tally.calls() + 1,
                         error.c_str());
            sound = false;
        }
        // The replay must play the very game the script was made on.
        const std::size_t call = static_cast<std::size_t>(tally.calls() - 1);
        if (sound && (call >= expected.size() ||
                      traceLineHash(line.data(), line.size()) != expected[call])) {
            std::fprintf(stderr, "glimmerwake-soak: call %zu differs from the game played here\n",
                         call);
            sound = false;
        }
        line.clear();
        if (sound && memory.size() < options.memoryAt.size() &&
            tally.calls() == options.memoryAt[memory.size()]) {
            memory.push_back(readMemory(replay->pid));
            std::printf("after %d calls: VmRSS %ld KiB, VmHWM %ld KiB;", tally.calls(),
                        memory.back().rssKib, memory.back().peakKib);
            printLengths("", tally.lengths());
            std::fflush(stdout);
        }
    }
    std::fclose(replay->trace);
    int status = 0;
    waitpid(replay->pid, &status, 0);

    std::printf("seed %u: %d of %d calls traced, the replay ended with %s\n", options.seed,
                tally.calls(), options.calls, describeStatus(status).c_str());
    std::printf("%d restarts, %d menu round trips, %d pauses, %d games lost, %d boss fights, "
                "deepest frame %d\n",
                tally.restarts, tally.menuVisits, tally.pauses, tally.gamesLost, tally.bossFights,
                tally.deepestFrame);
    std::printf("%d boss fights won, %d swarms destroyed, %d frames of endless spawning at the "
                "longest\n",
                tally.bossesDefeated, tally.swarmsDestroyed, tally.longestEndless);
    printLengths("longest lists:", tally.longest());

    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || tally.calls() != options.calls) {
        sound = false;
    }
    // A soak that never restarted, paused or went to the menu has not tried what it claims.
    if (tally.restarts == 0 || tally.menuVisits == 0 || tally.pauses == 0) {
        std::fprintf(stderr, "glimmerwake-soak: no restart, menu round trip or pause was played\n");
        sound = false;
    }
    for (const Memory& m : memory) {
        if (m.rssKib < 0) {
            std::fprintf(stderr, "glimmerwake-soak: the replay's memory could not be read\n");
            sound = false;
        }
    }
    if (memory.size() >= 2 && options.maxGrowthKib) {
        const long growth = memory.back().rssKib - memory.front().rssKib;
        std::printf("VmRSS grew by %ld KiB from call %d to call %d (at most %ld allowed)\n", growth,
                    options.memoryAt.front(), options.memoryAt.back(), *options.maxGrowthKib);
        if (growth > *options.maxGrowthKib) {
            sound = false;
        }
    }
    std::printf("%s\n", sound ? "sound" : "FAULT");
    return sound ? kExitSound : kExitFault;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "script") == 0) {
        const std::optional<long> seed = parseNumber(argv[2]);
        const std::optional<long> calls = parseNumber(argv[3]);
        if (seed && calls && *calls >= 1 && *calls <= 100000000) {
            writeSoakScript(std::cout, static_cast<std::uint32_t>(*seed), static_cast<int>(*calls));
            return std::cout.flush() ? kExitSound : kExitFault;
        }
    }
    if (argc >= 2 && std::strcmp(argv[1], "run") == 0) {
        if (const std::optional<Options> options = parseRun(argc, argv)) {
            return run(*options);
        }
    }
    std::fputs(kUsage, stderr);
    return kExitUsage;
}
