#pragma once

// The options shown over a paused or finished game, and the F2 / F3 / F4 choice: each key that is
// down overwrites the choice (F4 over F3 over F2) and unpauses. Escape is not handled here.
void runPauseOverlay(int& pauseChoice, bool& paused, bool gameOver);
