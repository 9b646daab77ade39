#include "tests/hardening/soak_script.h"

#include "game/game.h"
#include "platform/virtual_keys.h"
#include "replay/script.h"
#include "replay/script_feed.h"
#include "replay/trace.h"
#include "tools/pilot/pilot.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

enum Key { Left, Right, Up, Down, Space, Return, Escape, F2, F3, One, Two, Three, KeyCount };

struct KeyName {
    int virtualKey;
    const char* name;
};

const KeyName kKeys[KeyCount] = {
    {KeyLeft, "LEFT"},   {KeyRight, "RIGHT"},   {KeyUp, "UP"},         {KeyDown, "DOWN"},
    {KeySpace, "SPACE"}, {KeyReturn, "RETURN"}, {KeyEscape, "ESCAPE"}, {KeyF2, "F2"},
    {KeyF3, "F3"},       {Key1, "1"},           {Key2, "2"},           {Key3, "3"},
};

// The pilot of the whole-level scripts, planning half as often as it does there so that a million
// calls stay quick (it then lives through the whole level in 19 epochs of 20 instead of 20).
constexpr PilotSettings kSoakPilot{4, 72, 4.0f};

// Frames of endless spawning a game flown through the whole level goes on for.
constexpr int kEndlessAtLeast = 500;
constexpr int kEndlessAtMost = 3000;
// A game flown through the whole level that has not got there in this many calls is given up.
constexpr int kWholeLevelCalls = 40000;

[[noreturn]] void generatorFault(const char* what, int call) {
    std::fprintf(stderr, "glimmerwake-soak: %s in call %d\n", what, call);
    std::abort();
}

// Runs the game call by call on the replay platform and writes down each key change as the
// script command that makes it. The random source is one whose numbers the standard fixes (the
// distributions it does not, so none is used).
class SoakWriter {
  public:
    SoakWriter(std::ostream& out, std::uint32_t seed, int calls)
        : out_(out), random_(seed), calls_(calls), pilot_(kSoakPilot) {
        machine_.epoch = kDefaultEpoch;
        hashes_.reserve(static_cast<std::size_t>(calls));
    }

    std::vector<std::uint64_t> write() {
        // Call 0 sets up; the menu is up from call 1.
        step(2);
        confirm();
        while (call_ < calls_) {
            playSomething();
        }
        out_ << "end " << calls_ << '\n';
        return std::move(hashes_);
    }

  private:
    int below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }

    bool inMenu() const { return game_.gameState == GameState::Menu; }

    void playSomething() {
        if (game_.gameOver) {
            // A lost game waits in its overlay for F2 or F3.
            step(between(50, 400));
            below(3) == 0 ? menuRoundTrip() : restart();
            return;
        }
        const int pick = below(100);
        if (pick < 10) {
            flyWholeLevel();
        } else if (pick < 30) {
            fly(below(2) == 0 ? between(5000, 30000) : between(200, 3000));
        } else if (pick < 45) {
            flyAtRandom(between(50, 1500));
        } else if (pick < 60) {
            pauseAndResume();
        } else if (pick < 72) {
            restart();
        } else if (pick < 82) {
            menuRoundTrip();
        } else if (pick < 85) {
            moveMarker();
        } else {
            releaseAll();
            step(between(1, 300));
        }
    }

    // Runs calls with the keys as they are, checking that the game is still in it.
    void step(int calls) {
        for (int i = 0; i < calls && call_ < calls_; ++i) {
            machine_.call = call_;
            if (game_.advance(machine_.inputs()).quit) {
                generatorFault("the game quit", call_);
            }
            line_.clear();
            appendTraceLine(line_, call_, game_);
            hashes_.push_back(traceLineHash(line_.data(), line_.size() - 1));
            ++call_;
        }
    }

    // Changes past the end are not written: the script ends where it ends.
    void set(Key key, bool down) {
        bool& held = machine_.keys[kKeys[key].virtualKey];
        if (held == down || call_ >= calls_) {
            return;
        }
        out_ << call_ << (down ? " down " : " up ") << kKeys[key].name << '\n';
        held = down;
    }

    // Held for a few calls, then up for a few: a frame sees the press, and the next press of the
    // key is a fresh one.
    void tap(Key key) {
        set(key, true);
        step(between(1, 6));
        set(key, false);
        step(between(1, 6));
    }

    // Every key up, and one call of the game seeing them so.
    void releaseAll() {
        for (int key = 0; key < KeyCount; ++key) {
            set(static_cast<Key>(key), false);
        }
        step(1);
    }

    // Return or Space in the menu, with the marker on Play.
    void confirm() {
        if (inMenu() && game_.menuSelection != 0) {
            generatorFault("a confirming key with the marker on Quit", call_);
        }
        tap(below(3) == 0 ? Space : Return);
    }

    // One call with the pilot of the whole-level scripts at the keys: it fires all the time,
    // dodges, catches the pickups, takes the weapon a prompt asks for and fights the boss and
    // the swarm.
    void pilotCall() {
        machine_.call = call_;
        const PilotKeys keys = pilot_.keysFor(game_, machine_);
        set(Left, keys.left);
        set(Right, keys.right);
        set(Space, keys.fire);
        set(One, keys.weapon == 1);
        set(Two, keys.weapon == 2);
        set(Three, keys.weapon == 3);
        step(1);
    }

    bool flying() const { return call_ < calls_ && !game_.gameOver && !inMenu(); }

    // The pilot flies the game as it is, until the time is up or the game is lost.
    void fly(int calls) {
        const int end = call_ + calls;
        pilot_.forget();
        while (call_ < end && flying()) {
            pilotCall();
        }
    }

    // A new game flown from its first frame through the boss and the swarm, and on into the
    // endless spawning for a while.
    void flyWholeLevel() {
        restart();
        const int endlessFrames = between(kEndlessAtLeast, kEndlessAtMost);
        const int end = call_ + kWholeLevelCalls;
        int endlessFrom = -1;
        pilot_.forget();
        while (call_ < end && flying() &&
               (endlessFrom < 0 || game_.frameCounter < endlessFrom + endlessFrames)) {
            pilotCall();
            if (endlessFrom < 0 && game_.endlessSpawning) {
                endlessFrom = game_.frameCounter;
            }
        }
    }

    void flyAtRandom(int calls) {
        const int end = call_ + calls;
        while (call_ < end && call_ < calls_) {
            const int steer = below(3);
            set(Left, steer == 0);
            set(Right, steer == 1);
            set(Space, below(4) != 0);
            if (below(10) == 0) {
                tap(static_cast<Key>(One + below(3)));
            }
            step(between(1, 80));
        }
    }

    void pause() {
        if (!game_.paused) {
            tap(Escape);
        }
    }

    void pauseAndResume() {
        pause();
        step(between(1, 300));
        if (!game_.gameOver) {
            tap(Escape);
        }
    }

    void restart() {
        pause();
        step(between(1, 60));
        tap(F2);
    }

    void menuRoundTrip() {
        releaseAll();
        pause();
        tap(F3);
        step(between(1, 200));
        if (below(2) == 0) {
            moveMarker();
        }
        confirm();
    }

    // In the menu both arrows flip the marker between Play and Quit. With every other key up
    // and a call of all keys up first, each press flips it once, so an even number of presses
    // leaves it on Play. In play the arrows do nothing.
    void moveMarker() {
        releaseAll();
        const int presses = 2 * between(1, 3);
        for (int i = 0; i < presses; ++i) {
            tap(below(2) == 0 ? Up : Down);
        }
    }

    std::ostream& out_;
    std::mt19937 random_;
    const int calls_;
    Game game_;
    ScriptedMachine machine_;
    Pilot pilot_;
    int call_ = 0;
    std::string line_;
    std::vector<std::uint64_t> hashes_;
};

} // namespace

std::uint64_t traceLineHash(const char* line, std::size_t length) {
    // FNV-1a: the same on every machine, and quick enough for a million lines.
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < length; ++i) {
        hash = (hash ^ static_cast<unsigned char>(line[i])) * 1099511628211ull;
    }
    return hash;
}

std::vector<std::uint64_t> writeSoakScript(std::ostream& out, std::uint32_t seed, int calls) {
    return SoakWriter(out, seed, calls).write();
}
