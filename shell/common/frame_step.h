#pragma once

#include "game/call_inputs.h"

#include <cstdint>

class Game;

// Every call lasts at least this long; the game counts frames, so this caps its speed.
constexpr std::uint32_t kFramePeriodMs = 10;

// Whether a call waits out the rest of its frame period.
enum class FramePace : int {
    Wait = 0,
    // As fast as it draws: a watched game fast-forwarded.
    NoWait = 1,
};

// The inputs of a call as the machine has them now: the keys the game polls and the calendar
// second, read through the platform seam.
CallInputs readLiveInputs();

// One call of the frame function on the process's one game: the rules' step with `inputs`, the
// drawing of its frame, the frame presented, its sounds played and the quit posted if the game
// asked, then the rest of the frame period waited out (unless `pace` says not to).
void runFrame(const CallInputs& inputs, FramePace pace);

// The frame function as the platforms' loops call it, once per pass: a call with live inputs.
// Returns 0.
int FrameStep();

// The game the frame function plays, for those that run it and look at it.
Game& frameStepGame();

// Fits the view to a drawable of this size; the platform calls it whenever its drawable is made
// or changes size.
void frameStepResize(int width, int height);
