#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

// Writes a replay script of `calls` calls of play, the same for the same seed on every machine.
// The keys are chosen while the game itself runs here, on the replay tool's platform, as the
// replay will run it: the whole-level pilot flies most games, some of them from their first frame
// through the boss, the rings, the swarm and into the endless spawning, random keys fly the rest,
// and between games come pauses, restarts with F2 and round trips to the menu with F3 and back with
// Return or Space, marker moves on the way. It never quits: F4 is never pressed, and the menu's
// marker is on Play whenever a confirming key goes down (checked here as the game runs).
//
// Returns, for each call, a hash of the trace line the replay tool must print for it.
std::vector<std::uint64_t> writeSoakScript(std::ostream& out, std::uint32_t seed, int calls);

// The hash of one trace line, without its newline, as the returned list holds them.
std::uint64_t traceLineHash(const char* line, std::size_t length);
