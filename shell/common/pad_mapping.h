#pragma once

#include "platform/virtual_keys.h"

#include <array>
#include <cstdint>

// What a gamepad means to the game, the same on every platform: the game polls virtual keys, and
// a key reads as down while the key itself or a pad control mapped to it is held. Each platform
// reads its pads (SDL's game controllers, XInput) into a PadState and hands it to a PadMapper.
// All inline, so that every platform's pad reader takes it without a library of its own.
//
//   d-pad, left stick    arrows (steer; choose in the menu)
//   A                    Space (fire; confirm in the menu)
//   X, Y, B              1, 2, 3 (weapons)
//   Start                Escape in play (pause, resume), Return elsewhere (confirm in the menu)
//   Back + X, Y, B       F2, F3, F4 (the pause overlay's restart, menu and quit)

// The controls the mapping reads, by their places on an Xbox-style pad.
enum class PadButton {
    DpadLeft,
    DpadRight,
    DpadUp,
    DpadDown,
    A,
    B,
    X,
    Y,
    Back,
    Start,
    Count,
};

constexpr int kPadButtonCount = static_cast<int>(PadButton::Count);

// One pad at one moment. The stick's axes run from -32768 to 32767, x to the right and y
// downwards (SDL's sense; XInput's y points up and is turned over by its reader).
struct PadState {
    std::array<bool, kPadButtonCount> buttons{};
    int leftX = 0;
    int leftY = 0;

    bool held(PadButton button) const { return buttons[static_cast<int>(button)]; }
    void press(PadButton button) { buttons[static_cast<int>(button)] = true; }
};

// The virtual-key codes are all below 256.
constexpr int kVirtualKeyCount = 256;
using HeldKeys = std::array<bool, kVirtualKeyCount>;

// How far the left stick must leave its centre, out of 32767, before it counts as an arrow: a
// quarter of its travel, so a stick that rests a little off-centre steers nothing.
constexpr int kStickDeadZone = 32767 / 4;

// One plugged-in pad's reading, frame after frame. It remembers what a held Start stands for,
// chosen when it went down: a Start that confirms Play in the menu must not go on to pause the
// game it started.
class PadMapper {
  public:
    // Marks in `held` the keys this pad holds now; `inPlay` says whether the game is playing,
    // which decides what a fresh press of Start stands for.
    void addHeldKeys(const PadState& state, bool inPlay, HeldKeys& held);

  private:
    int startKey_ = 0; // 0 while Start is up
};

namespace pad_mapping_detail {

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

inline bool chordHolds(Chord chord, bool backHeld) {
    return chord == Chord::Either || (chord == Chord::WithBack) == backHeld;
}

} // namespace pad_mapping_detail

inline void PadMapper::addHeldKeys(const PadState& state, bool inPlay, HeldKeys& held) {
    using namespace pad_mapping_detail;
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
