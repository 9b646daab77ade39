#pragma once

class Game;

// Makes `into` a copy of `from` that plays on exactly as `from` would: every object of every
// list is copied by its kind, in list order, and every counter, flag and latch along with them.
// Radar points are left out: the HUD empties their list every frame. The game is a pure function of
// its keys and the calendar, so a copy stepped with the keys the original will see is an exact
// forecast of the original.
void copyGame(const Game& from, Game& into);
