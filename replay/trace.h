#pragma once

#include <string>

class Game;

// Appends to `out` the trace line of `game` as it stands after call `call`: one JSON object
// holding the whole game state, members always in the same order, and a newline.
void appendTraceLine(std::string& out, int call, const Game& game);
