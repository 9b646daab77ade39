#pragma once

// The top-level state of the program, acted on once per call of the frame function.
enum class GameState : int {
    Init = 0,    // set up OpenGL, then show the menu
    Menu = 1,    // the main menu
    Quit = 2,    // ask the shell to end, every call until it does
    Playing = 3, // one frame of play per call
};

// What the pause overlay chose in this frame; cleared at the end of the frame.
enum PauseChoice : int {
    NoChoice = 0,
    Restart = 1,
    BackToMenu = 2,
    QuitGame = 3,
};

const char* gameStateName(GameState state);
