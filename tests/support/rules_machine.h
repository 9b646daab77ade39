#pragma once

#include "base/sound_effects.h"
#include "game/game.h"

#include <cstdint>
#include <vector>

// What the rules' tests hand the step: keys a test sets by hand and a calendar that stands still,
// and what the calls asked for in return. Nothing of a machine: the rules read only their inputs.
namespace rules_machine {

struct State {
    CallInputs inputs = startInputs();
    int quitRequests = 0;
    // Every effect the game asked for since the last reset, in order.
    std::vector<SoundEffect> sounds;

    static CallInputs startInputs() {
        CallInputs inputs;
        inputs.seconds = 1000000000;
        return inputs;
    }
};

inline State& state() {
    static State s;
    return s;
}

// Every key up, the calendar at its start, nothing asked for.
inline void reset() {
    state() = State{};
}

inline void press(int virtualKey) {
    state().inputs.keys[virtualKey & 0xFF] = true;
}

inline void release(int virtualKey) {
    state().inputs.keys[virtualKey & 0xFF] = false;
}

inline void setCalendar(std::int64_t seconds) {
    state().inputs.seconds = seconds;
}

// One call of the step with the keys held now; its sounds and quit are noted.
inline CallOutcome step(Game& game) {
    CallOutcome outcome = game.advance(state().inputs);
    State& s = state();
    s.sounds.insert(s.sounds.end(), outcome.sounds.begin(), outcome.sounds.end());
    s.quitRequests += outcome.quit ? 1 : 0;
    return outcome;
}

} // namespace rules_machine
