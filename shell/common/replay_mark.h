#pragma once

// While a recording is watched, the word REPLAY in small grey letters at the left edge, just below
// the HUD's panel: a stretch of the picture the game leaves black in play, so a watcher never
// takes the replay for a game of their own. Drawn by the shell over the game's finished frame,
// just before it is shown; every bit of OpenGL state it touches is put back, so the game's next
// frame is drawn exactly as it would be without it.
void drawReplayMark();
