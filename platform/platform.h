#pragma once

#include "base/sound_effects.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The few services the game asks of the machine it runs on. The game core calls these and
// nothing else of the platform. The desktop shell (SDL), the replay tool and the tests each
// provide them, so one frame function runs unchanged over a real window, a script or a test.

// True while the key with this Windows virtual-key code is down at the moment of the call.
// There is no queue and no edge detection: callers that want one press keep their own latch.
bool keyDown(int virtualKey);

// Milliseconds on a clock that never goes back; only differences between two readings matter.
std::uint32_t tickCount();

// Returns once at least `milliseconds` have passed since `tickCount()` read `start`.
void waitSince(std::uint32_t start, std::uint32_t milliseconds);

// The calendar clock in whole seconds, which seeds the game's random numbers.
std::int64_t calendarSeconds();

// Presents the frame drawn into the back buffer.
void swapBuffers();

// Asks the program to end with this exit code once the current frame has returned.
void postQuitMessage(int exitCode);

// Starts the effect over whatever already plays and returns at once: the game calls it in the
// frame an event happens, and what is heard never holds a frame up. Without sound, or muted,
// nothing is heard; the game's state never depends on it.
void playSound(SoundEffect effect);

// Fills the 96 display lists from `firstList` with glBitmap glyphs of the characters 32 to 127
// in the game's bold typewriter face at `pixelHeight`. False when no usable face was found.
bool buildFontBitmaps(int pixelHeight, unsigned firstList);

// The whole of a regular file of 1 to `maxBytes` bytes; empty when it cannot be read, is larger,
// or is not a plain file (a FIFO, a device, a directory). Never waits for a writer.
std::vector<std::uint8_t> readSmallFile(const char* path, std::size_t maxBytes);

// The folder the game's images are read from: their paths, "Data/...", are taken relative to it.
// Empty for the working directory; otherwise it ends in '/'.
const std::string& dataRoot();
