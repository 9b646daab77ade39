#include "game/frame_step.h"

#include "game/game.h"
#include "render/view.h"

Game& frameStepGame() {
    static Game game;
    return game;
}

int FrameStep() {
    frameStepGame().step();
    return 0;
}

void frameStepResize(int width, int height) {
    resizeView(width, height);
}
