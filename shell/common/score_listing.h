#pragma once

#include "shell/common/score_store.h"

#include <string>

// What `glimmerwake --scores` prints: every table, best first, each entry with its rank, score,
// date and time, frame, milestones and recording (or that its recording is gone, so it can no
// longer be proved), and where the files are kept.
std::string scoresListing(ScoreStore& store);
