#pragma once

// glimmerwake-replay --verify FILE [--claim SCORE]: replays a recording with the rules alone and
// prints each game in it, one JSON object a line. `words` are the arguments after --verify.
// Returns the exit status: 0 (with --claim: a game in it ends with SCORE), 1 when no game does,
// 2 for a recording that cannot be read (the reason on standard error) or wrong arguments.
int runVerify(int count, const char* const* words);
