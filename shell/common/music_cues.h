#pragma once

#include "game/game.h"
#include "shell/common/music_score.h"

// The theme the music should play for the game as it stands after a call, read the way the
// shell reads the sounds a call asks for: only looked at, never changed.
//   the menu (and the first call, before it) plays the menu theme; a quitting game, silence;
//   a lost game, the game-over sting; a paused one, the low pad;
//   once the swarm has split, to the end of the game (the endless waves included), the finale;
//   while the boss is on the field (the level's clock held for it) or the swarm is out whole,
//   the boss theme; any other playing call, the level theme.
MusicTheme musicThemeFor(const Game& game);
