#pragma once

#include "replay/verify.h"

#include <cstdint>
#include <string>

// The page's high scores: free play's table, kept by the page in the browser's storage in the
// scores file's own format, so the desktop's strict reader and ranking judge it.

// This page's run, named as the desktop names its runs, and its recording's file name.
void startPageRun(std::int64_t startSeconds, long instance);
const std::string& pageRecordingName();

// A game of the player's that its recording proved has ended at `when`: it takes its place in
// the table, and the page is handed the table to store when it entered.
void enterProvedGame(const VerifiedGame& game, std::int64_t when);
