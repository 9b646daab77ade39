#include "game/frame_step.h"

#include "game/game.h"

Game& frameStepGame() {
    static Game game;
    return game;
}

int FrameStep() {
    frameStepGame().step();
    return 0;
}
