#pragma once

class Game;

// Makes `into` a copy of `from` that plays on exactly as `from` would: every object of every
// list is copied by its kind, in list order, and every counter, flag and latch along with them.
// Radar points are left out: the HUD empties their list every frame. The game is a pure function of
// its keys and the calendar, so a copy stepped with the keys the original will see is an exact
// forecast of the original.
void copyGame(const Game& from, Game& into);

// One call of the frame function on a game in play that nobody watches, for forecasts: the whole
// update phase, in the game's order, and of the drawing only what moves the game on (the ship's
// weapon switch and the pickups' drift advance as they are drawn). The HUD and everything else
// is not drawn, so explosions neither play nor end and no radar points are made: what it leaves
// differs from a call of `step` in the explosions alone, for about a fifth of the time. A game
// paused, over or out of play gets a whole `step`.
void stepUnseen(Game& game);
