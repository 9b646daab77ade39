#pragma once

#include "game/call_inputs.h"
#include "shell/common/frame_step.h"

struct CommandLine;
struct Settings;

// How this run of the game is played beside the plain game: recorded, watched from a script, and
// whether its final state is written out. The shell's loop calls these around every call of the
// frame function; with no such option they do nothing at all.

// False when the game must not start (a script to watch that cannot be read), said on standard
// error.
bool startSession(const CommandLine& commandLine, const Settings& settings);
// Before a call with `inputs`, read live: a watched script replaces them, a recording takes them
// down. Returns the pace of the call.
FramePace sessionBeforeCall(CallInputs& inputs);
// After every pass: whether the sound is off, which the settings remember when the player changes
// it.
void sessionNoteMuted(bool muted);
// Likewise whether the music plays.
void sessionNoteMusic(bool on);
// Called by the buffer swap, with the frame still in the back buffer.
void sessionBeforeSwap();
void sessionAfterCall();
// Once the loop has ended, however it ended: finishes the recording, writes the final state.
void finishSession();
