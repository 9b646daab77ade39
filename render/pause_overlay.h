#pragma once

// What the pause overlay chose in this frame; cleared at the end of the frame.
enum class PauseChoice : int {
    NoChoice = 0,
    Restart = 1,
    BackToMenu = 2,
    QuitGame = 3,
};

// The options shown over a paused or finished game, and the F2 / F3 / F4 choice: each key that is
// down overwrites the choice (F4 over F3 over F2) and unpauses. Escape is not handled here.
void runPauseOverlay(PauseChoice& pauseChoice, bool& paused, bool gameOver);
