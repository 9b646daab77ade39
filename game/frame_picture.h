#pragma once

#include <memory>

class Game;

// Which screen a call of the step shows.
enum class Screen : int {
    Nothing = 0, // the program is quitting: nothing is drawn
    SetUp = 1,   // the first call: the drawing state is set up, nothing is drawn
    Menu = 2,    // the main menu
    Play = 3,    // the play field, its HUD and perhaps the pause overlay
};

// What the step recorded of its call for the drawing: the facts of the moment the frame is drawn
// that the game's state after the call no longer tells.
struct FramePicture {
    Screen screen = Screen::Nothing;
    // The game was paused or over where the frame is drawn: the power-ups, the banner and the
    // weapon prompt are left out.
    bool still = false;
    // The pause overlay was up after the frame was drawn, and whether it offered the way back
    // into the game (not to a finished game).
    bool overlay = false;
    bool overlayOffersReturn = false;
    // Set only when the overlay's choice reset the game after the frame was drawn (a restart,
    // or back to the menu): the game as it was drawn, which is what the frame shows.
    std::shared_ptr<const Game> gameAsDrawn;
};
