#pragma once

#include <string>

// The verifying side of the board, run in a child process of its own for each upload
// (glimmerwake-board --verify-worker): it reads a recording on standard input, plays it with the
// rules alone, writes one JSON object on standard output and exits. The board has already set
// the limits on its CPU time and memory; a recording that overruns them kills only this process.
//
// Its answer is either {"recording": TEXT, "games": [GAME...]}, TEXT being the recording as the
// board keeps it (board/recording.h) and each GAME the fields of a VerifiedGame and the game's
// "hash" (gameHash of board/recording.h), or
// {"refused": MESSAGE, "status": HTTP_STATUS} for a recording the board cannot take.

struct WorkerLimits {
    std::size_t maxBytes = 0;
    int maxCalls = 0;
};

// Reads standard input, writes the answer to standard output; returns the exit status.
int runVerifyWorker(const WorkerLimits& limits);

// The answer for one recording, as the worker writes it (without reading or writing anything).
std::string verifyAnswer(const std::string& text, const WorkerLimits& limits);
