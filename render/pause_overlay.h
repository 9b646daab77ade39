#pragma once

// The options shown over a paused or finished game; the way back into the game is offered only
// when `offersReturn` (a finished game cannot be returned to).
void drawPauseOverlay(bool offersReturn);
