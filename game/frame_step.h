#pragma once

class Game;

// The frame function the shell's loop calls once per pass. It owns the one game of the process,
// created on the first call. Returns 0.
int FrameStep();

// The game FrameStep plays, for those that run it and look at it (the replay tool's trace).
Game& frameStepGame();

// Fits the view to a drawable of this size; the shell calls it whenever its drawable is made or
// changes size.
void frameStepResize(int width, int height);
