#include "shell/sdl/interruptible_box.h"

#include <SDL.h>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

// A person reads the box: looking twenty times a second costs nothing and answers at once.
constexpr long kPollMs = 50;
constexpr long kSettleMs = 1000;

volatile std::sig_atomic_t stopSignal = 0;

void noteStopSignal(int) {
    stopSignal = 1;
}

// What the box's thread shares with the caller. Held by both, so that a box left open after an
// interruption still has its texts when the caller has long returned.
struct Box {
    std::string caption;
    std::string text;
    std::atomic<bool> done{false};
    std::atomic<bool> shown{false};
};

// Takes SIGTERM and SIGINT over while the box is open, and gives them back afterwards (to SDL,
// which turns them into a quit event during play).
class StopSignals {
  public:
    StopSignals() {
        stopSignal = 0;
        struct sigaction action {};
        action.sa_handler = noteStopSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGTERM, &action, &previousTerm);
        sigaction(SIGINT, &action, &previousInt);
        // A signal the game was started with ignored (nohup, a background job) stays ignored.
        if (previousTerm.sa_handler == SIG_IGN) {
            sigaction(SIGTERM, &previousTerm, nullptr);
        }
        if (previousInt.sa_handler == SIG_IGN) {
            sigaction(SIGINT, &previousInt, nullptr);
        }
    }
    ~StopSignals() {
        sigaction(SIGTERM, &previousTerm, nullptr);
        sigaction(SIGINT, &previousInt, nullptr);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

  private:
    struct sigaction previousTerm {};
    struct sigaction previousInt {};
};

// Whichever thread a signal lands on, the handler only notes it; the waiting thread acts.
void startBoxThread(const std::shared_ptr<Box>& box) {
    std::thread([box] {
        box->shown = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, box->caption.c_str(),
                                              box->text.c_str(), nullptr) == 0;
        box->done = true;
    }).detach();
}

// The parent's pid is the fourth field of /proc/PID/stat, after the command in parentheses
// (which may itself hold spaces and parentheses, so the last ')' ends it).
bool isChildOfThisProcess(const std::string& stat) {
    const std::size_t end = stat.rfind(')');
    if (end == std::string::npos) {
        return false;
    }
    char state = 0;
    long parent = 0;
    return std::sscanf(stat.c_str() + end + 1, " %c %ld", &state, &parent) == 2 &&
           parent == static_cast<long>(getpid());
}

// The box's process is the game's only child while the box is open.
void killBoxProcesses() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream file(entry.path() / "stat");
        std::string stat;
        if (std::getline(file, stat) && isChildOfThisProcess(stat)) {
            kill(static_cast<pid_t>(std::stol(name)), SIGKILL);
        }
    }
}

} // namespace

BoxOutcome showInterruptibleBox(const char* caption, const char* text) {
    const auto box = std::make_shared<Box>();
    box->caption = caption;
    box->text = text;
    const StopSignals signals;
    startBoxThread(box);
    const timespec poll{0, kPollMs * 1000 * 1000};
    while (!box->done && stopSignal == 0) {
        nanosleep(&poll, nullptr);
    }
    if (!box->done) {
        killBoxProcesses();
        // With its process gone the box's thread puts SDL's cursor and keyboard back and ends;
        // the game must not tear SDL down under it meanwhile. A box shown in this process (no
        // child) never ends: after a while the game goes on without it.
        for (int i = 0; i < kSettleMs / kPollMs && !box->done; ++i) {
            nanosleep(&poll, nullptr);
        }
        return BoxOutcome::Interrupted;
    }
    return box->shown ? BoxOutcome::Closed : BoxOutcome::Unavailable;
}
