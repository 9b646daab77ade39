#pragma once

#include "replay/script.h"

#include <string>

// A recording as the board keeps it: the script's commands alone, one a line, in call order,
// without comments, blank lines or anything else that does not change the game. What is verified
// is exactly this text, and two uploads of the same game have the same one.
std::string canonicalRecording(const ReplayScript& script);

// The SHA-256 of `text`, in lower-case hexadecimal: what tells two recordings apart.
std::string recordingHash(const std::string& text);
