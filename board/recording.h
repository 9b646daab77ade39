#pragma once

#include "replay/script.h"

#include <string>

// A recording as the board keeps it: the script's commands alone, one a line, in call order,
// without comments, blank lines or anything else that does not change the game. What is verified
// is exactly this text, and two uploads of the same game have the same one.
std::string canonicalRecording(const ReplayScript& script);

// The SHA-256 of `text`, in lower-case hexadecimal: what tells two recordings apart.
std::string recordingHash(const std::string& text);

// What tells the game of `script` that ended in call `lastCall` apart from every other game: the
// hash of the script's commands up to that call. A game depends on nothing after its last call,
// so the same game sent again inside a longer recording (the player's session went on, and the
// game sends the whole of it after each game) has the same hash.
std::string gameHash(const ReplayScript& script, int lastCall);
