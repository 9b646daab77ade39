#include "shell/common/pad_mapping.h"

#include "platform/virtual_keys.h"

namespace {

// Whether a button counts with Back held, without it, or either way. Back turns the weapon
// buttons into the pause overlay's choices, so a restart or a quit needs two buttons that play
// never presses together: neither is the fire button, and Back on its own does nothing.
enum class Chord { Either, Alone, WithBack };

struct ButtonBinding {
    PadButton button;
    Chord chord;
    int virtualKey;
};

// The weapons sit on the three face buttons around A, in reading order: X on the left is 1, Y on
// top 2, B on the right 3. Every pad has these four; switching is an occasional choice that the
// game prompts for, while the fire button is held most of the time.
constexpr ButtonBinding kButtonBindings[] = {
    {PadButton::DpadLeft, Chord::Either, KeyLeft},
    {PadButton::DpadRight, Chord::Either, KeyRight},
    {PadButton::DpadUp, Chord::Either, KeyUp},
    {PadButton::DpadDown, Chord::Either, KeyDown},
    {PadButton::A, Chord::Either, KeySpace},
    {PadButton::X, Chord::Alone, Key1},
    {PadButton::Y, Chord::Alone, Key2},
    {PadButton::B, Chord::Alone, Key3},
    {PadButton::X, Chord::WithBack, KeyF2},
    {PadButton::Y, Chord::WithBack, KeyF3},
    {PadButton::B, Chord::WithBack, KeyF4},
};

struct StickBinding {
    int PadState::*axis;
    int direction; // -1 for the axis's low end (left, up), +1 for its high end
    int virtualKey;
};

constexpr StickBinding kStickBindings[] = {
    {&PadState::leftX, -1, KeyLeft},
    {&PadState::leftX, +1, KeyRight},
    {&PadState::leftY, -1, KeyUp},
    {&PadState::leftY, +1, KeyDown},
};

bool chordHolds(Chord chord, bool backHeld) {
    return chord == Chord::Either || (chord == Chord::WithBack) == backHeld;
}

} // namespace

void PadMapper::addHeldKeys(const PadState& state, bool inPlay, HeldKeys& held) {
    const bool backHeld = state.held(PadButton::Back);
    for (const ButtonBinding& binding : kButtonBindings) {
        if (state.held(binding.button) && chordHolds(binding.chord, backHeld)) {
            held[binding.virtualKey] = true;
        }
    }
    for (const StickBinding& binding : kStickBindings) {
        if (state.*binding.axis * binding.direction > kStickDeadZone) {
            held[binding.virtualKey] = true;
        }
    }
    if (!state.held(PadButton::Start)) {
        startKey_ = 0;
        return;
    }
    if (startKey_ == 0) {
        startKey_ = inPlay ? KeyEscape : KeyReturn;
    }
    held[startKey_] = true;
}
